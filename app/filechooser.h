#ifndef NORVO_FILECHOOSER_H
#define NORVO_FILECHOOSER_H

#include <QString>

class QWidget;

// Asks for a file to write: the dialog opens where the last file dialog ended
// and adds suffix (without its point) to a name typed without one. Empty when
// cancelled. Without confirmReplace an existing file is taken without asking,
// for a caller that appends to it.
QString chooseSaveFile(QWidget *parent, const QString &caption, const QString &filter,
                       const QString &suffix, bool confirmReplace = true);

// Asks for an existing file to read, starting where the last file dialog ended.
QString chooseOpenFile(QWidget *parent, const QString &caption, const QString &filter,
                       const QString &startDirectory = QString());

#endif
