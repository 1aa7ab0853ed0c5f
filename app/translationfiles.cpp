#include "translationfiles.h"

#include "languagecodes.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QString installedTranslationsDirectory()
{
    return QCoreApplication::applicationDirPath()
            + QStringLiteral("/../" NORVO_TRANSLATIONS_INSTALL_DIR);
}

bool loadProgramTranslation(QTranslator *translator, const QString &code)
{
    if (code.isEmpty())
        return false;
    return translator->load(code) || translator->load(code, installedTranslationsDirectory());
}

bool loadQtTranslation(QTranslator *translator, const QString &code)
{
    const QString catalogue = LanguageCodes::qtCatalogue(code);
    if (catalogue.isEmpty())
        return false;
    const QStringList places{QLibraryInfo::location(QLibraryInfo::TranslationsPath),
                             QCoreApplication::applicationDirPath()
                                     + QStringLiteral("/translations")};
    for (const QString &place : places) {
        if (translator->load(catalogue, place))
            return true;
    }
    return false;
}
