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
    // The working directory first, where a copy beside config.ini wins; then
    // the program's own folder, then run-files/ of the build tree, where the
    // build compiles the files (a program run where it was built); then the
    // installed folder.
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QStringList places{QString(), programFolder,
                             programFolder + QStringLiteral("/../run-files"),
                             installedTranslationsDirectory()};
    for (const QString &place : places) {
        if (translator->load(code, place))
            return true;
    }
    return false;
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
