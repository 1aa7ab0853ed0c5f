#include "historytable.h"

#include <QRegularExpression>

namespace {
const QChar kLineEnd = QLatin1Char('\n');
const QChar kRecordCarriageReturn = QLatin1Char('\r');
const QChar kCellJoin = QLatin1Char(' ');
} // namespace

QStringList splitFields(const QString &line)
{
    static const QRegularExpression separators(QStringLiteral("[ ,]"));
    return line.split(separators, Qt::SkipEmptyParts);
}

int columnCount(const QString &text)
{
    int count = 0;
    for (const QString &line : textLines(text)) {
        count = splitFields(line).size();
        if (count >= 2)
            break;
    }
    return count;
}

QStringList rowCells(const QString &line, int columns)
{
    QStringList cells = splitFields(line);
    // A single field cannot be joined any further, whatever the column count.
    while (cells.size() > qMax(columns, 1)) {
        cells[0] += kCellJoin + cells.at(1);
        cells.removeAt(1);
    }
    return cells;
}

QStringList textLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(kLineEnd);
    if (text.endsWith(kLineEnd))
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(kRecordCarriageReturn))
            line.chop(1);
    }
    return lines;
}

QString historyViewText(const QString &answer)
{
    // The text view starts a new paragraph at each of these and gives its
    // paragraphs back joined by LF.
    constexpr ushort kFrameStart = 0xFDD0;
    constexpr ushort kFrameEnd = 0xFDD1;
    QString text;
    text.reserve(answer.size());
    for (int i = 0; i < answer.size(); ++i) {
        const QChar ch = answer.at(i);
        if (ch == kRecordCarriageReturn && i + 1 < answer.size() && answer.at(i + 1) == kLineEnd)
            continue; // the LF that follows ends the line
        switch (ch.unicode()) {
        case '\r':
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case kFrameStart:
        case kFrameEnd:
            text += kLineEnd;
            break;
        case QChar::Nbsp:
            text += QLatin1Char(' ');
            break;
        default:
            text += ch;
        }
    }
    return text;
}
