#include "producttitle.h"

#include <QCoreApplication>

namespace {
// The version stays the same in every language.
constexpr char kProductVersion[] = "V3.5";
} // namespace

QString productTitle()
{
    QString name = QCoreApplication::translate("QObject", "Norvo助手");
    // Chinese runs the version on after the name; a name in Latin letters
    // ("Norvo Assistant") needs a blank before it.
    if (!name.isEmpty() && name.back().script() != QChar::Script_Han)
        name += QLatin1Char(' ');
    return name + QLatin1String(kProductVersion);
}
