#ifndef NORVO_CONFIGURATIONMODE_H
#define NORVO_CONFIGURATIONMODE_H

#include "instrumentmode.h"
#include "itemset.h"

#include <QDateTime>
#include <QElapsedTimer>

// The instrument's normal firmware: items, clock, history and debug output.
class ConfigurationMode : public InstrumentMode
{
public:
    static constexpr int kDebugSwitchItem = 255;
    static constexpr int kHistoryChunkBytes = 200;
    // Below the 50 ms of quiet after which the history reader stops listening.
    static constexpr int kHistoryChunkGapMs = 15;
    static constexpr char kClockItemName[] = "设备时间";
    static constexpr char kClockFormat[] = "yyyy-MM-dd hh:mm:ss";

    explicit ConfigurationMode(const ItemSet &items = ItemSet::builtIn());

    // Replaces the items; an item named like the clock item sets the clock.
    void setItems(const ItemSet &items);
    // The items as the instrument would answer them now, clock item included.
    ItemSet items() const;

    // The last moment and weekday (1 = Monday) set by a set-clock request;
    // invalid and 0 before the first one.
    QDateTime storedClock() const { return m_storedClock; }
    int storedWeekday() const { return m_storedWeekday; }
    bool debugOutputOn() const { return m_debugOn; }

    QList<ReplyChunk> answer(const SimRequest &request) override;
    QByteArray spontaneousOutput(qint64 uptimeMs) override;

    // FF 03 L text CRC, the one answer layout of the configuration commands.
    static QByteArray dataAnswer(const QByteArray &text);

private:
    QByteArray readItem(int index) const;
    QByteArray writeItem(int index, const QByteArray &text);
    QByteArray switchDebugOutput(const QByteArray &text);
    QByteArray setClock(const QByteArray &fields);
    QList<ReplyChunk> history(const QByteArray &dates) const;
    QString clockText() const;

    ItemSet m_items;
    QDateTime m_clockBase;
    QElapsedTimer m_sinceClockSet;
    QDateTime m_storedClock;
    int m_storedWeekday = 0;
    bool m_debugOn = false;
};

#endif
