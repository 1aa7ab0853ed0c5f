#ifndef NORVO_CONFIGURATIONMODE_H
#define NORVO_CONFIGURATIONMODE_H

#include "itemset.h"
#include "replychunk.h"
#include "simrequest.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>

// The instrument's normal firmware: items, clock, history and debug output.
class ConfigurationMode
{
public:
    static constexpr int kDefaultHistoryRecordsPerDay = 4;
    static constexpr int kMaxHistoryRecordsPerDay = 24 * 60 * 60; // one a second
    // The instrument stops a long range here rather than streaming for many minutes.
    static constexpr int kMaxHistoryRecords = 100000;

    explicit ConfigurationMode(const ItemSet &items = ItemSet::builtIn());

    // Replaces the items; an item named like the clock item sets the clock.
    void setItems(const ItemSet &items);
    // The items as the instrument would answer them now, clock item included.
    ItemSet items() const;

    // The last moment set by a set-clock request; invalid before the first one.
    QDateTime storedClock() const { return m_storedClock; }
    bool debugOutputOn() const { return m_debugOn; }

    // How many history records each day holds, clamped to 0 … one a second.
    void setHistoryRecordsPerDay(int records);
    int historyRecordsPerDay() const { return m_historyRecordsPerDay; }

    // The answer to one request; an empty list leaves the line quiet.
    // keepWrite false: a write is echoed as if taken but the item stays as it was.
    QList<ReplyChunk> answer(const SimRequest &request, bool keepWrite = true);
    // The next debug line while the debug output is on, otherwise nothing.
    // Lines are numbered from 1 after each switch-on, so a listener can tell
    // whether it saw every line once and in order.
    QByteArray debugLine(qint64 uptimeMs);

    // FF 03 L text CRC, the one answer layout of the configuration commands.
    static QByteArray dataAnswer(const QByteArray &text);

private:
    QByteArray readItem(int index) const;
    QByteArray writeItem(int index, const QByteArray &text, bool keep);
    QByteArray switchDebugOutput(const QByteArray &text);
    QByteArray setClock(const QByteArray &fields);
    QString clockText() const;

    ItemSet m_items;
    QDateTime m_clockBase;
    QElapsedTimer m_sinceClockSet;
    QDateTime m_storedClock;
    bool m_debugOn = false;
    int m_historyRecordsPerDay = kDefaultHistoryRecordsPerDay;
    qint64 m_debugLines = 0;
};

#endif
