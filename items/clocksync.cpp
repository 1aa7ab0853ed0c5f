#include "clocksync.h"

#include "commandset.h"
#include "config.h"
#include "seriallink.h"

#include <QCoreApplication>
#include <QSerialPort>

namespace {
constexpr char kContext[] = "MainWindow";
} // namespace

ClockSyncResult syncDeviceClock()
{
    return syncDeviceClock(QDateTime::currentDateTime());
}

ClockSyncResult syncDeviceClock(const QDateTime &moment)
{
    ClockSyncResult result;
    QSerialPort port;
    if (!openSerialPort(port)) {
        result.outcome = ClockSyncOutcome::PortOpenFailed;
        result.errorText = QCoreApplication::translate(kContext, "打开串口失败: %1")
                                   .arg(configuredPortName());
        return result;
    }

    const LinkStatus status = sendAndReceive(port, makeClockFrame(moment), result.answer);
    result.errorText = linkErrorText(status, result.answer);
    if (!result.errorText.isEmpty()) {
        result.outcome = ClockSyncOutcome::LinkError;
        return result;
    }
    // Only the exact acknowledgement counts; any other answer is a refusal.
    if (result.answer == clockAcknowledgement()) {
        result.outcome = ClockSyncOutcome::Acknowledged;
        return result;
    }
    result.outcome = ClockSyncOutcome::Refused;
    result.errorText = QCoreApplication::translate(kContext, "同步时间失败");
    return result;
}
