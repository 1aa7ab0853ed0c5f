#include "texttable.h"

#include "console.h"

#include <QVector>

namespace {
constexpr int kColumnGap = 2;

bool isWide(uint code)
{
    return (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0x303E)
            || (code >= 0x3041 && code <= 0xA4CF) || (code >= 0xAC00 && code <= 0xD7A3)
            || (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFE30 && code <= 0xFE4F)
            || (code >= 0xFF00 && code <= 0xFF60) || (code >= 0xFFE0 && code <= 0xFFE6)
            || (code >= 0x20000 && code <= 0x3FFFD);
}
} // namespace

void TextTable::addRow(const QStringList &cells)
{
    QStringList shown;
    for (const QString &cell : cells)
        shown << Console::oneLine(cell);
    m_rows.append(shown);
}

int TextTable::displayWidth(const QString &text)
{
    int width = 0;
    const QVector<uint> codes = text.toUcs4();
    for (uint code : codes)
        width += isWide(code) ? 2 : 1;
    return width;
}

QString TextTable::toString() const
{
    QVector<int> widths;
    for (const QStringList &row : m_rows) {
        for (int column = 0; column < row.size(); ++column) {
            if (widths.size() <= column)
                widths.append(0);
            widths[column] = qMax(widths.at(column), displayWidth(row.at(column)));
        }
    }
    QString text;
    for (const QStringList &row : m_rows) {
        QString line;
        for (int column = 0; column < row.size(); ++column) {
            line += row.at(column);
            if (column + 1 < row.size())
                line += QString(widths.at(column) - displayWidth(row.at(column)) + kColumnGap,
                                QLatin1Char(' '));
        }
        // A row whose last cells are empty would otherwise end in blanks.
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}
