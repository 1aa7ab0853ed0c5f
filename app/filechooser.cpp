#include "filechooser.h"

#include "dialogdirectory.h"

#include <QFileDialog>

namespace {
QString chooseFile(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString fileName = dialog.selectedFiles().constFirst();
    rememberDialogDirectory(fileName);
    return fileName;
}
} // namespace

QString chooseSaveFile(QWidget *parent, const QString &caption, const QString &filter,
                       const QString &suffix, bool confirmReplace)
{
    QFileDialog dialog(parent, caption, dialogStartDirectory(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmReplace);
    dialog.setDefaultSuffix(suffix);
    return chooseFile(dialog);
}

QString chooseOpenFile(QWidget *parent, const QString &caption, const QString &filter,
                       const QString &startDirectory)
{
    QFileDialog dialog(parent, caption,
                       startDirectory.isEmpty() ? dialogStartDirectory() : startDirectory, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chooseFile(dialog);
}
