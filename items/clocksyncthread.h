#ifndef NORVO_CLOCKSYNCTHREAD_H
#define NORVO_CLOCKSYNCTHREAD_H

#include "clocksync.h"

#include <QList>
#include <QMetaType>
#include <QStringList>
#include <QThread>

// Sets the instrument's clock off the GUI thread and, once it is acknowledged,
// reads the items that show the instrument's time again.
class ClockSyncThread : public QThread
{
    Q_OBJECT

public:
    explicit ClockSyncThread(QObject *parent = nullptr);

    // Copies in the numbers of the items to read again and starts; false
    // (and nothing started) while a run is going on.
    bool startSync(const QList<int> &clockItems);

signals:
    void signalClockSynced(const ClockSyncResult &result);
    // One clock item read again after the acknowledgement: its number and fields.
    void signalItemRead(int index, const QStringList &list);

protected:
    void run() override;

private:
    QList<int> m_clockItems;
};

Q_DECLARE_METATYPE(ClockSyncResult)

#endif
