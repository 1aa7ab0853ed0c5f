#ifndef NORVO_ITEMCOMPARISON_H
#define NORVO_ITEMCOMPARISON_H

#include "itemcsv.h"
#include "skipitems.h"

#include <QString>
#include <QVector>

// How one item of the instrument's list compares with a reference file.
enum class ItemDifference {
    Same,             // equal values, an action item on both sides, or the running clock
    Differs,          // both sides carry a value and the values differ
    OnlyInFile,       // the file has an item of this number and name, the list has not
    OnlyOnInstrument, // the list has it, the file has not
};

// One item of either side, matched by item number and name.
struct ComparedItem
{
    int item = 0;
    QString name;
    QString instrumentValue; // trimmed; empty when only in the file
    QString fileValue;       // trimmed; empty when only on the instrument
    bool action = false;     // an action item on the side that has it (on both, when both do)
    ItemDifference difference = ItemDifference::Same;
    int instrumentRow = -1; // index in the list compared; -1 when only in the file
};

// The instrument's item list (as the tree shows it) compared with the rows of
// a reference file, both after the SkipItems filter.
class ItemComparison
{
public:
    ItemComparison() = default;
    // Entries in list order, then the file's items the list lacks, in file order.
    static ItemComparison compare(const QVector<ItemRowText> &instrument,
                                  const QVector<ItemRowText> &file);

    const QVector<ComparedItem> &entries() const { return m_entries; }
    int count(ItemDifference difference) const;
    bool matches() const;
    // The differing value items, in item order: what writing only the
    // differences sends, with the file's value.
    QVector<ComparedItem> writePlan() const;
    // "3 项不同, 1 项仅在文件中"; "与文件一致" when nothing differs.
    QString summaryText() const;

private:
    QVector<ComparedItem> m_entries;
};

// The rows the tree would show after importing these records: the SkipItems
// filter applied, the row it holds settled at the end.
QVector<ItemRowText> itemFileRows(const QVector<ItemRecord> &records, const SkipTable &table);

// Whether a value read back after a write is the value that was sent, as a
// comparison would count the two the same.
bool readBackMatches(const QString &readValue, const QString &sentValue);

// "已写入 12 项, 回读一致".
QString readBackConsistentText(int written);
// Writing only the differences found none.
QString nothingToWriteText();
// One item whose read-back differs from what was written.
QString readBackMismatchText(int item, const QString &name, const QString &sent,
                             const QString &readBack);

#endif
