#include "languagecodes.h"

namespace LanguageCodes {

QString normalized(const QString &code)
{
    if (code.isEmpty() || isKnown(code))
        return code;
    return QString::fromLatin1(kSimplifiedChinese);
}

bool isKnown(const QString &code)
{
    return code == QLatin1String(kEnglish) || code == QLatin1String(kSimplifiedChinese)
            || code == QLatin1String(kTraditionalChinese);
}

QString forLocale(const QLocale &locale)
{
    if (locale.language() != QLocale::Chinese)
        return QString::fromLatin1(kEnglish);
    // QLocale fills in the script a region writes in (zh_TW, zh_HK: traditional).
    if (locale.script() == QLocale::TraditionalChineseScript)
        return QString::fromLatin1(kTraditionalChinese);
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
