#include "itemcomparison.h"

#include "choicelist.h"
#include "itemrows.h"
#include "itemwriter.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace {
ComparedItem comparedItem(const ItemRowText &row, int index)
{
    const ItemEditTexts texts = prepareItemEdit(row.column0, row.column1);
    ComparedItem item;
    item.item = row.item;
    item.name = texts.name;
    item.instrumentValue = texts.value;
    item.action = texts.isAction;
    item.instrumentRow = index;
    return item;
}

ItemDifference valueDifference(const ComparedItem &item, bool fileAction)
{
    // An action is a command, not a setting: there is nothing to differ.
    if (item.action || fileAction)
        return ItemDifference::Same;
    return readBackMatches(item.instrumentValue, item.fileValue) ? ItemDifference::Same
                                                                 : ItemDifference::Differs;
}
} // namespace

ItemComparison ItemComparison::compare(const QVector<ItemRowText> &instrument,
                                       const QVector<ItemRowText> &file)
{
    ItemComparison result;
    // Item number and name together: a file of another model may give a
    // number to a different item. A repeated pair takes its first partner.
    QMultiHash<QPair<int, QString>, int> unmatched;
    for (int row = 0; row < instrument.size(); ++row) {
        result.m_entries.append(comparedItem(instrument.at(row), row));
        result.m_entries.last().difference = ItemDifference::OnlyOnInstrument;
    }
    // Inserted last to first: a hash finds the latest insertion of a key first.
    for (int row = instrument.size() - 1; row >= 0; --row)
        unmatched.insert({result.m_entries.at(row).item, result.m_entries.at(row).name}, row);

    for (const ItemRowText &fileRow : file) {
        const ComparedItem fromFile = comparedItem(fileRow, -1);
        const auto partner = unmatched.find({fromFile.item, fromFile.name});
        if (partner == unmatched.end()) {
            ComparedItem onlyInFile = fromFile;
            onlyInFile.fileValue = fromFile.instrumentValue;
            onlyInFile.instrumentValue.clear();
            onlyInFile.difference = ItemDifference::OnlyInFile;
            result.m_entries.append(onlyInFile);
            continue;
        }
        ComparedItem &entry = result.m_entries[partner.value()];
        unmatched.erase(partner);
        entry.fileValue = fromFile.instrumentValue;
        entry.difference = valueDifference(entry, fromFile.action);
        entry.action = entry.action && fromFile.action;
    }
    return result;
}

int ItemComparison::count(ItemDifference difference) const
{
    return static_cast<int>(
            std::count_if(m_entries.begin(), m_entries.end(), [difference](const ComparedItem &e) {
                return e.difference == difference;
            }));
}

bool ItemComparison::matches() const
{
    return count(ItemDifference::Same) == m_entries.size();
}

QVector<ComparedItem> ItemComparison::writePlan() const
{
    QVector<ComparedItem> plan;
    for (const ComparedItem &entry : m_entries) {
        if (entry.difference == ItemDifference::Differs)
            plan.append(entry);
    }
    std::stable_sort(plan.begin(), plan.end(),
                     [](const ComparedItem &a, const ComparedItem &b) { return a.item < b.item; });
    return plan;
}

QString ItemComparison::summaryText() const
{
    if (matches())
        return QCoreApplication::translate("ItemComparison", "与文件一致");
    QStringList parts{QCoreApplication::translate("ItemComparison", "%1 项不同")
                              .arg(count(ItemDifference::Differs))};
    if (const int onlyInFile = count(ItemDifference::OnlyInFile))
        parts << QCoreApplication::translate("ItemComparison", "%1 项仅在文件中").arg(onlyInFile);
    if (const int onlyOnInstrument = count(ItemDifference::OnlyOnInstrument))
        parts << QCoreApplication::translate("ItemComparison", "%1 项仅在仪表中")
                         .arg(onlyOnInstrument);
    return parts.join(QStringLiteral(", "));
}

QVector<ItemRowText> itemFileRows(const QVector<ItemRecord> &records, const SkipTable &table)
{
    SkipFilter::reset();
    QVector<ItemRowText> rows;
    for (const ItemRecord &record : records)
        appendItemRows(rows, table, record.item, record.fields);
    endItemRows(rows);
    return rows;
}

bool readBackMatches(const QString &readValue, const QString &sentValue)
{
    // The instrument's clock runs on between any read and any file.
    if (isClockStamp(readValue) && isClockStamp(sentValue))
        return true;
    // Exactly as a comparison counts it: the echo's test, whether the text
    // contains the value, would take a 500.0 kept for a 500 sent.
    return readValue.trimmed() == sentValue.trimmed();
}

QString readBackConsistentText(int written)
{
    return QCoreApplication::translate("ItemComparison", "已写入 %1 项, 回读一致").arg(written);
}

QString nothingToWriteText()
{
    return QCoreApplication::translate("ItemComparison", "仪表的数值已与文件一致, 没有写入任何项");
}

QString readBackMismatchText(int item, const QString &name, const QString &sent,
                             const QString &readBack)
{
    return QCoreApplication::translate("ItemComparison", "第 %1 项 %2: 写入 %3, 回读为 %4")
            .arg(item)
            .arg(name, sent, readBack);
}
