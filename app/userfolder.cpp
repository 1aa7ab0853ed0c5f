#include "userfolder.h"

#include <QDir>
#include <QStandardPaths>

namespace {
constexpr char kFolderName[] = "norvo-assistant";
} // namespace

QString userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/')
            + QLatin1String(kFolderName);
}

bool enterUserFolder()
{
    const QString folder = userFolder();
    return QDir().mkpath(folder) && QDir::setCurrent(folder);
}
