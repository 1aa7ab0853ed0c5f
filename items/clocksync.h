#ifndef NORVO_CLOCKSYNC_H
#define NORVO_CLOCKSYNC_H

#include <QByteArray>
#include <QDateTime>
#include <QString>

// How setting the instrument's clock ended.
enum class ClockSyncOutcome {
    Acknowledged,
    Refused,        // a well-formed answer other than the acknowledgement
    PortOpenFailed, // nothing was sent
    LinkError,      // timeout or bad CRC
};

struct ClockSyncResult
{
    ClockSyncOutcome outcome = ClockSyncOutcome::Refused;
    QString errorText; // translated; empty when acknowledged
    QByteArray answer; // the instrument's raw answer, if any

    bool isAcknowledged() const { return outcome == ClockSyncOutcome::Acknowledged; }
};

// True for an item value that is a moment, "yyyy-MM-dd hh:mm:ss" or without
// seconds: an item showing the instrument's own clock.
bool isClockValue(const QString &value);

// Sets the instrument's clock over the configured port to the PC's local time,
// or to moment.
ClockSyncResult syncDeviceClock();
ClockSyncResult syncDeviceClock(const QDateTime &moment);

#endif
