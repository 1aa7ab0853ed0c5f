#ifndef NORVO_SKIPITEMS_H
#define NORVO_SKIPITEMS_H

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

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
// knows, so it is held. A held row belongs to the list it came in: the list's
// end settles it, a cleared tree forgets it, so it can never head the list of
// another instrument, whose write-all would send it there.
class SkipFilter
{
public:
    static SkipDecision decide(const SkipTable &table, int index, const QStringList &list);

    // The list has ended: nothing follows the held row, so it is shown.
    // Returns it, or nothing when no row is held, and forgets it.
    static std::optional<ItemRow> settle() { return std::exchange(s_held, std::nullopt); }

    // Forgets the held row without showing it.
    static void reset() { s_held.reset(); }

private:
    static inline std::optional<ItemRow> s_held;
};

#endif
