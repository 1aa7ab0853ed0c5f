#include "clocksyncthread.h"

#include "commandset.h"
#include "seriallink.h"

#include <QSerialPort>

ClockSyncThread::ClockSyncThread(QObject *parent)
    : QThread(parent)
{
    qRegisterMetaType<ClockSyncResult>();
}

bool ClockSyncThread::startSync(const QList<int> &clockItems)
{
    if (isRunning())
        return false;
    m_clockItems = clockItems;
    start(QThread::InheritPriority);
    return true;
}

void ClockSyncThread::run()
{
    const ClockSyncResult result = syncDeviceClock();
    emit signalClockSynced(result);
    if (!result.isAcknowledged() || m_clockItems.isEmpty())
        return;

    // The time is set; a clock item that cannot be read again keeps its old
    // text until the next refresh, which is no reason for an error box.
    QSerialPort port;
    if (!openSerialPort(port))
        return;
    for (int item : qAsConst(m_clockItems)) {
        QByteArray answer;
        const LinkStatus status = requestItem(port, item, answer);
        QString text;
        if (!linkErrorText(status, answer).isEmpty()
            || checkDataAnswer(answer, &text) != DataAnswerCheck::Ok || text.isEmpty())
            continue;
        emit signalItemRead(item, splitItemText(text));
    }
}
