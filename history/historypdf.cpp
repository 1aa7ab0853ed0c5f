#include "historypdf.h"

#include "historyexport.h"
#include "historytable.h"
#include "historytablelayout.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {
const QString kPreferredChineseFamily = QStringLiteral("WenQuanYi Zen Hei");
// The widest first-column text: a date, one space and a time.
const QString kStampSample = QStringLiteral("1900-01-01 00:00:00");
constexpr int kPenWidth = 1;
constexpr int kMinimumColumns = 2;

void drawGrid(QPainter &painter, const HistoryTableLayout &layout)
{
    const int rows = layout.rowsPerPage();
    for (int row = 0; row <= rows; ++row)
        painter.drawLine(layout.left(), layout.rowTop(row), layout.right(), layout.rowTop(row));
    for (int column = 0; column <= layout.columns(); ++column) {
        const int x = layout.columnLeft(column);
        painter.drawLine(x, layout.rowTop(0), x, layout.rowTop(rows));
    }
}

void drawRows(QPainter &painter, const HistoryTableLayout &layout, const QStringList &lines,
              int page)
{
    const QFontMetrics metrics = painter.fontMetrics();
    for (int row = 0; row < layout.rowsPerPage(); ++row) {
        const int index = layout.lineIndex(page, row);
        if (index >= lines.size())
            return;
        const QStringList cells = rowCells(lines.at(index), layout.columns());
        for (int column = 0; column < qMin(layout.columns(), cells.size()); ++column) {
            const QString &cell = cells.at(column);
            painter.drawText(layout.textLeft(column, metrics.horizontalAdvance(cell)),
                             layout.baseline(row), cell);
        }
    }
}

// An A4 page with the table's pen and font on it.
void setUpPage(QPdfWriter &writer, QPainter &painter)
{
    writer.setPageSize(QPageSize(QPageSize::A4));
    painter.begin(&writer);
    painter.setPen(QPen(QBrush(QColor(0, 0, 0, 255)), kPenWidth, Qt::SolidLine, Qt::SquareCap,
                        Qt::BevelJoin));
    painter.setFont(historyPdfFont(painter.font()));
}

HistoryTableLayout tableLayout(const QPdfWriter &writer, const QPainter &painter, int columns,
                               int lines)
{
    const QFontMetrics metrics = painter.fontMetrics();
    return HistoryTableLayout(writer.width(), writer.height(), metrics.height(),
                              metrics.horizontalAdvance(kStampSample), columns, lines);
}

// False when the text has no line of two fields: nothing is drawn then.
bool drawTable(QPdfWriter &writer, QPainter &painter, const QString &text)
{
    const int columns = columnCount(text);
    if (columns < kMinimumColumns)
        return false;
    const QStringList lines = textLines(text);
    const HistoryTableLayout layout = tableLayout(writer, painter, columns, lines.size());
    for (int page = 0; page < layout.pages(); ++page) {
        if (page > 0)
            writer.newPage();
        drawGrid(painter, layout);
        drawRows(painter, layout, lines, page);
    }
    return true;
}
} // namespace

QFont historyPdfFont(const QFont &base)
{
    const QFontDatabase database;
    if (database.writingSystems(QFontInfo(base).family())
                .contains(QFontDatabase::SimplifiedChinese))
        return base;
    const QStringList chinese = database.families(QFontDatabase::SimplifiedChinese);
    const QString family = chinese.contains(kPreferredChineseFamily) ? kPreferredChineseFamily
                                                                     : chinese.value(0);
    if (family.isEmpty())
        return base;
    QFont font(base);
    font.setFamily(family);
    return font;
}

int historyPdfRowsPerPage()
{
    QBuffer scratch;
    scratch.open(QIODevice::WriteOnly);
    QPdfWriter writer(&scratch);
    QPainter painter;
    setUpPage(writer, painter);
    return tableLayout(writer, painter, kMinimumColumns, 1).rowsPerPage();
}

QString exportHistoryPdf(const QString &fileName, const QString &text)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return exportOpenErrorText(fileName);
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        QPainter painter;
        setUpPage(writer, painter);
        drawn = drawTable(writer, painter, text);
    } // the painter ends the document here
    if (!file.commit())
        return exportWriteErrorText(fileName);
    if (!drawn)
        return QCoreApplication::translate("HistoryData", "导出数据失败，数据格式错误");
    return QString();
}
