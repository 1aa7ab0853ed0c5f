#include "clocksyncthread.h"

#include "itemreader.h"
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
        QStringList fields;
        if (readItem(port, item, &fields).isEmpty() && !fields.isEmpty())
            emit signalItemRead(item, fields);
    }
}
