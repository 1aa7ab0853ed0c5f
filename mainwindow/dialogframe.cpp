#include "dialogframe.h"

#include <QDialog>
#include <QIcon>

void setUpFixedDialog(QDialog *dialog, const char *iconPath)
{
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->setWindowIcon(QIcon(QString::fromLatin1(iconPath)));
    dialog->setFixedSize(dialog->size());
}
