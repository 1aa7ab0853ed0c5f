#ifndef NORVO_TRANSLATIONFILES_H
#define NORVO_TRANSLATIONFILES_H

#include <QString>

class QTranslator;

// The folder an installation keeps the programs' translation files in:
// share/norvo-assistant/translations beside the programs' bin folder.
QString installedTranslationsDirectory();

// Loads the programs' own texts for a language code into translator: from the
// working directory first, where a copy beside config.ini wins, then beside
// the program, in the build tree and in the installed folder. False when none
// has the file.
bool loadProgramTranslation(QTranslator *translator, const QString &code);

// Loads Qt's own texts (standard buttons, file dialogs, command-line help) for
// a language code; false when there are none to load, as for English.
bool loadQtTranslation(QTranslator *translator, const QString &code);

#endif
