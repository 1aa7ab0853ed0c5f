#include "producttitle.h"

#include <QCoreApplication>

namespace {
// The version stays the same in every language.
constexpr char kProductVersion[] = "V3.5";
} // namespace

QString productTitle()
{
    return QCoreApplication::translate("QObject", "Norvo助手") + QLatin1String(kProductVersion);
}
