#include "dialogdirectory.h"

#include "config.h"
#include "settingskeys.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString dialogStartDirectory()
{
    const QString stored
            = singleton<Config>::instance()->value(SettingsKeys::kDialogDirectory).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return stored;
    for (const QString &candidate :
         {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()}) {
        const QFileInfo info(candidate);
        if (!candidate.isEmpty() && info.isDir() && info.isWritable())
            return candidate;
    }
    return QDir::currentPath();
}

void rememberDialogDirectory(const QString &chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    singleton<Config>::instance()->setValue(SettingsKeys::kDialogDirectory,
                                            QFileInfo(chosenFile).absolutePath());
}
