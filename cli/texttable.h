#ifndef NORVO_TEXTTABLE_H
#define NORVO_TEXTTABLE_H

#include <QList>
#include <QString>
#include <QStringList>

// Rows of cells printed in aligned columns on a terminal, where a Chinese
// character takes the room of two Latin ones.
class TextTable
{
public:
    // A cell is one line: control characters in it are shown as escapes.
    void addRow(const QStringList &cells);
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Every row on its own line, columns two blanks apart; the last cell of a
    // row is not padded, so no line ends in blanks.
    QString toString() const;

    // Terminal columns the text takes: two for wide (East Asian) characters.
    static int displayWidth(const QString &text);

private:
    QList<QStringList> m_rows;
};

#endif
