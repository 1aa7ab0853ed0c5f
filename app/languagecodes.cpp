#include "languagecodes.h"

namespace LanguageCodes {

QString normalized(const QString &code)
{
    if (code.isEmpty() || code == QLatin1String(kEnglish)
        || code == QLatin1String(kSimplifiedChinese) || code == QLatin1String(kTraditionalChinese))
        return code;
    return QString::fromLatin1(kSimplifiedChinese);
}

QString qtCatalogue(const QString &code)
{
    if (code == QLatin1String(kEnglish))
        return QString();
    if (code == QLatin1String(kTraditionalChinese))
        return QStringLiteral("qt_zh_TW");
    return QStringLiteral("qt_zh_CN");
}

} // namespace LanguageCodes
