#include "itemrows.h"

namespace {
constexpr int kRowNumberDigits = 2;
} // namespace

QString itemValueText(const QString &value)
{
    return QStringLiteral(": ") + value.trimmed();
}

ItemRowText itemRowText(int rowNumber, int index, const QStringList &list)
{
    ItemRowText row;
    row.item = index;
    row.column0 = QString::number(rowNumber).rightJustified(kRowNumberDigits, QLatin1Char('0'))
            + QStringLiteral(". ") + list.value(0).trimmed();
    if (list.size() > 1)
        row.column1 = itemValueText(list.at(1));
    return row;
}

QVector<ItemRow> rowsToShow(const SkipTable &table, int index, const QStringList &list)
{
    const SkipDecision decision = SkipFilter::decide(table, index, list);
    QVector<ItemRow> rows;
    if (decision.releasedRow)
        rows.append(*decision.releasedRow);
    if (decision.appendRow)
        rows.append(ItemRow{index, list});
    return rows;
}

void appendItemRows(QVector<ItemRowText> &rows, const SkipTable &table, int index,
                    const QStringList &list)
{
    for (const ItemRow &row : rowsToShow(table, index, list))
        rows.append(itemRowText(rows.size() + 1, row.index, row.list));
}

void endItemRows(QVector<ItemRowText> &rows)
{
    if (const std::optional<ItemRow> held = SkipFilter::settle())
        rows.append(itemRowText(rows.size() + 1, held->index, held->list));
}
