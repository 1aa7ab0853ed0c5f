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
    // A pool of its own: the probes block on the line and must not wait
    // behind other work in the global pool.
    QThreadPool pool;
    pool.setMaxThreadCount(qMin(m_ports.size(), kMaxParallelProbes));
    for (const QString &port : qAsConst(m_ports)) {
        pool.start(QRunnable::create(
                [this, port] { emit signalPortProbed(probePort(port, m_rates, m_stop)); }));
    }
    pool.waitForDone();
}
