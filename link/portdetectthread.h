#ifndef NORVO_PORTDETECTTHREAD_H
#define NORVO_PORTDETECTTHREAD_H

#include "portprobe.h"

#include <QThread>

#include <atomic>

// Searches ports for an instrument: every port is probed on a thread of its
// own, all at once, so the search takes as long as the slowest port, not the
// sum. Results leave one port at a time, in the order the probes end.
class PortDetectThread : public QThread
{
    Q_OBJECT

public:
    // Ports probed side by side at most; more wait for a free thread.
    static constexpr int kMaxParallelProbes = 32;

    explicit PortDetectThread(QObject *parent = nullptr);
    ~PortDetectThread() override;

    // What to probe; set before each start().
    void setCandidates(const QStringList &ports, const QList<qint32> &rates);
    // Ends every probe at its next check; the thread finishes soon after.
    void stop();
    bool wasStopped() const { return m_stop; }

signals:
    // One port is done: an instrument found, none, or the port did not open.
    // Sent from the probing threads.
    void signalPortProbed(const PortProbeResult &result);

protected:
    void run() override;

private:
    QStringList m_ports;
    QList<qint32> m_rates;
    std::atomic<bool> m_stop{false};
    // Set as the last act of run(): the destructor's acquire of it orders
    // everything the probes did before the object goes away, in a way the
    // thread sanitizer can follow (QThread::wait() synchronises out of its sight).
    std::atomic<bool> m_done{true};
};

#endif
