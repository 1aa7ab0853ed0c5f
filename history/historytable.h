#ifndef NORVO_HISTORYTABLE_H
#define NORVO_HISTORYTABLE_H

#include <QString>
#include <QStringList>

// How the history text reads as a table: a line is a row, its fields are the
// pieces between spaces and commas, empty pieces dropped.

QStringList splitFields(const QString &line);

// The field count of the first line with at least two fields; 0 or 1 when no
// line has two (the count of the last line read).
int columnCount(const QString &text);

// The fields of line in at most columns cells: while there are too many, the
// first two are joined with one space, so a leading date and time share the first cell.
QStringList rowCells(const QString &line, int columns);

// The lines of text, ended by LF or CR LF; a line end at the very end does
// not start another line.
QStringList textLines(const QString &text);

#endif
