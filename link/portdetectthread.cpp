#include "portdetectthread.h"

#include <QThreadPool>

PortDetectThread::PortDetectThread(QObject *parent)
    : QThread(parent)
{
    qRegisterMetaType<PortProbeResult>();
}

PortDetectThread::~PortDetectThread()
{
    stop();
    wait();
    static_cast<void>(m_done.load(std::memory_order_acquire));
}

void PortDetectThread::setCandidates(const QStringList &ports, const QList<qint32> &rates)
{
    m_ports = ports;
    m_rates = rates;
    m_stop = false;
}

void PortDetectThread::stop()
{
    m_stop = true;
}

void PortDetectThread::run()
{
    if (m_ports.isEmpty())
        return;
    m_done.store(false, std::memory_order_relaxed);
    // A pool of its own: the probes block on the line and must not wait
    // behind other work in the global pool. Each probe counts itself out with
    // a release the loop below acquires, so what the probes did is ordered
    // before the end of run() where the thread sanitizer can see it.
    std::atomic<int> running{m_ports.size()};
    QThreadPool pool;
    pool.setMaxThreadCount(qMin(m_ports.size(), kMaxParallelProbes));
    for (const QString &port : qAsConst(m_ports)) {
        pool.start(QRunnable::create([this, port, &running] {
            emit signalPortProbed(probePort(port, m_rates, m_stop));
            running.fetch_sub(1, std::memory_order_release);
        }));
    }
    pool.waitForDone();
    while (running.load(std::memory_order_acquire) > 0)
        QThread::yieldCurrentThread();
    m_done.store(true, std::memory_order_release);
}
