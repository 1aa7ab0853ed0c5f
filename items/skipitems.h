#ifndef NORVO_SKIPITEMS_H
#define NORVO_SKIPITEMS_H

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Device names mapped to the models whose name and model rows stay hidden.
using SkipTable = QMap<QString, QSet<QString>>;

// The list file beside config.ini, one "name,model" line per hidden device.
constexpr char kSkipItemsFileName[] = "SkipItems";

// Where the list file is read from: beside the settings file in use.
QString skipItemsPath();

// Removes every blank (U+0020) anywhere in text, then trims white space at both ends.
QString stripSpaces(const QString &text);

// Splits a list line at ',' keeping empty parts; a two-part result comes back
// with both parts passed through stripSpaces.
QStringList splitSkipLine(const QString &line);

// Reads the list file; a file that cannot be opened gives an empty table.
SkipTable loadSkipTable(const QString &path);

// One item as it travels to the tree: its number and its fields.
struct ItemRow
{
    int index = 0;
    QStringList list;
};

// What to do with one arriving row.
struct SkipDecision
{
    std::optional<ItemRow> releasedRow; // held row to append before the arriving one
    bool appendRow = true;              // false when the arriving row is held back or dropped
};

// Hides the device-name row and the device-model row that follows it when the
// pair is listed. The name row has to wait for the next row before the filter
// knows, so it is held; the held row is process-wide and survives a cleared tree.
class SkipFilter
{
public:
    static SkipDecision decide(const SkipTable &table, int index, const QStringList &list);

    // Forgets the held row without showing it.
    static void reset() { s_held.reset(); }

private:
    static inline std::optional<ItemRow> s_held;
};

#endif
