#ifndef NORVO_ITEMWRITER_H
#define NORVO_ITEMWRITER_H

#include <QString>
#include <QStringList>
#include <QVector>

// Field counts the instrument's echo of a written item must have.
constexpr int kActionItemFields = 1; // the name alone
constexpr int kValueItemFields = 2;  // name and value

// How writing one item ended.
enum class ItemWriteOutcome {
    Written,        // echo well formed; whether the value was taken shows in the echo
    TooLong,        // value does not fit one write frame; nothing was sent
    PortOpenFailed, // nothing was sent
    LinkError,      // timeout or bad CRC
    BadEcho,        // malformed data answer or wrong number of fields
};

struct ItemWriteResult
{
    ItemWriteOutcome outcome = ItemWriteOutcome::BadEcho;
    QString errorText;     // translated; empty when outcome is Written
    QStringList echoParts; // the echo's name and, for an item with a value, its value

    bool isWritten() const { return outcome == ItemWriteOutcome::Written; }
    // The echoed value trimmed; empty for an action item's echo.
    QString echoedValue() const;
};

// Writes value to the instrument's item number item over the configured port
// and checks that the echo has expectedFields fields (kActionItemFields or
// kValueItemFields). An action item is written with an empty value.
ItemWriteResult writeItemToDevice(int item, const QString &value, int expectedFields);

// True when the item's value text after the write shows the value that was
// sent (case-sensitive substring): the instrument took it. A refused value
// comes back as the old one.
bool writeTaken(const QString &valueTextAfterWrite, const QString &sentValue);

// Whether the instrument took a value, from its echo: writeTaken, except for
// an item showing the running clock, whose echo carries the time the clock
// has reached since, which is no refusal.
bool echoTakesValue(const QString &echoedValue, const QString &sentValue);

// True for a value of the form the instrument's running clock shows,
// "yyyy-MM-dd hh:mm:ss". Writing all items leaves such values out unless the
// user agrees: a value from an older file would set the clock back.
bool isClockStamp(const QString &value);

// The refusal text for a value longer than one write frame can carry.
QString itemValueTooLongText();

// One item of a bulk write: its row in the tree and the value to send.
struct BulkWriteStep
{
    int row = 0;
    QString value;
};

// The items a bulk write sends, in tree order, from each row's column-1
// display text: rows without a value text (action items) are skipped, the
// value is the text without its leading ':' character, trimmed.
QVector<BulkWriteStep> bulkWritePlan(const QStringList &valueTexts);

#endif
