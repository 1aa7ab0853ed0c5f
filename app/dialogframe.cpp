#include "dialogframe.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QSpacerItem>

namespace {
// Room the title bar needs beside its text: the window icon and the buttons.
constexpr int kTitleBarChromePx = 160;
} // namespace

void setUpFixedDialog(QDialog *dialog, const char *iconPath)
{
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->setWindowIcon(QIcon(QString::fromLatin1(iconPath)));
    dialog->setFixedSize(dialog->size());
}

void fitTitle(QMessageBox &box)
{
    // The box sizes itself from its layout when shown, so a spacer across the
    // whole layout is what keeps it wide enough.
    auto *layout = qobject_cast<QGridLayout *>(box.layout());
    if (!layout)
        return;
    const int width = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle())
            + kTitleBarChromePx;
    layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                    layout->rowCount(), 0, 1, layout->columnCount());
}
