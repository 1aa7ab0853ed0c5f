#ifndef NORVO_DIALOGDIRECTORY_H
#define NORVO_DIALOGDIRECTORY_H

#include <QString>

// The directory a file dialog opens in: the one the last dialog ended in while
// it still exists, otherwise the user's documents or home directory, whichever
// is writable first. Never the program's own folder, which may be read-only.
QString dialogStartDirectory();

// Remembers the directory of a file the user chose in a file dialog.
void rememberDialogDirectory(const QString &chosenFile);

#endif
