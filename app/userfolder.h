#ifndef NORVO_USERFOLDER_H
#define NORVO_USERFOLDER_H

#include <QString>

// The user's own folder for the programs' working files (config.ini, SkipItems,
// exports and downloads): norvo-assistant in the user's data folder,
// ~/.local/share/norvo-assistant on Linux. The desktop menu starts the
// assistant there, so nothing lands in the root of the home folder.
QString userFolder();

// The option of the assistant's program that makes the user's folder its
// working directory; the desktop entry starts it with this option.
constexpr char kUserFolderOption[] = "--user-folder";

// Creates the user's folder when needed and makes it the working directory;
// false when that fails.
bool enterUserFolder();

#endif
