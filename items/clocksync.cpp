#include "clocksync.h"

#include "commandset.h"
#include "config.h"
#include "seriallink.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSerialPort>

bool isClockValue(const QString &value)
{
    static const QRegularExpression moment(
            QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2}[ T]\\d{1,2}:\\d{2}(:\\d{2})?$"));
    return moment.match(value.trimmed()).hasMatch();
}

ClockSyncResult syncDeviceClock()
{
    return syncDeviceClock(QDateTime::currentDateTime());
}

// Texts of this file are translated in the context of the main window, which shows them.
ClockSyncResult syncDeviceClock(const QDateTime &moment)
{
    ClockSyncResult result;
    QSerialPort port;
    if (!openSerialPort(port)) {
        result.outcome = ClockSyncOutcome::PortOpenFailed;
        result.errorText = openFailureText(
                port, QCoreApplication::translate("MainWindow", "打开串口失败: %1").arg(QString()));
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
    result.errorText = QCoreApplication::translate("MainWindow", "同步时间失败");
    return result;
}
