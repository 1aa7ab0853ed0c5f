#ifndef NORVO_LANGUAGECODES_H
#define NORVO_LANGUAGECODES_H

#include <QString>

// The interface languages: their codes in config.ini and menu, and Qt's own texts for them.
namespace LanguageCodes {
constexpr char kEnglish[] = "en_US";
constexpr char kSimplifiedChinese[] = "zh_CH";
constexpr char kTraditionalChinese[] = "zh_TW";

// The code itself when it is one of the three, an empty code as it is (the
// untranslated texts), and Simplified Chinese for anything else. A stored code
// goes to the translation loader, so an unchecked one could send it searching
// for a file named after any text.
QString normalized(const QString &code);

// Base name of Qt's own translation catalogue for the code ("qt_zh_CN"), or an
// empty text when Qt's built-in English texts are the right ones.
QString qtCatalogue(const QString &code);
} // namespace LanguageCodes

#endif
