#include "monitorthread.h"

#include "burstbuffer.h"
#include "config.h"
#include "debugswitch.h"
#include "seriallink.h"

#include <QElapsedTimer>
#include <QSerialPort>

namespace {
const QString kDebugOn = QStringLiteral("1");
const QString kDebugOff = QStringLiteral("0");
} // namespace

MonitorThread::MonitorThread(QObject *parent)
    : QThread(parent)
{ }

MonitorThread::~MonitorThread()
{
    // A QThread destroyed while running takes the process down.
    stop();
}

void MonitorThread::setDebug(bool on)
{
    m_debug = on;
}

void MonitorThread::start()
{
    if (isRunning())
        return;
    m_stop = false;
    QThread::start(QThread::InheritPriority);
}

void MonitorThread::stop()
{
    if (!isRunning())
        return;
    m_stop = true;
    wait();
}

void MonitorThread::requestStop()
{
    if (isRunning())
        m_stop = true;
}

bool MonitorThread::sendDebugSwitch(QSerialPort &port, const QString &text)
{
    const DebugSwitchReply reply = exchangeDebugSwitch(port, text);
    const QString error = linkErrorText(reply.status, reply.answer);
    if (!error.isEmpty()) {
        emit signalShowError(tr("监听调试"), error);
        return false;
    }
    m_afterSwitch = reply.after;
    return true;
}

void MonitorThread::run()
{
    const bool debug = m_debug;
    m_afterSwitch.clear();
    QSerialPort port;
    if (!openSerialPort(port)) {
        emit signalShowError(tr("设备监听"), openFailureText(port, tr("串口打开失败")));
        return;
    }
    if (!sendDebugSwitch(port, debug ? kDebugOn : kDebugOff))
        return;
    if (listen(port) && debug)
        sendDebugSwitch(port, kDebugOff);
}

bool MonitorThread::listen(QSerialPort &port)
{
    BurstBuffer burst(kMaxBurstBytes, kMaxBurstAgeMs);
    QElapsedTimer clock;
    clock.start();
    burst.append(m_afterSwitch, clock.elapsed());

    while (!m_stop) {
        const LineWait wait
                = waitForBytes(port, burst.isEmpty() ? kIdleWaitMs : kBurstGapMs, &m_stop);
        if (wait == LineWait::Ready) {
            burst.append(port.readAll(), clock.elapsed());
            for (QByteArray part = burst.takeDue(clock.elapsed()); !part.isEmpty();
                 part = burst.takeDue(clock.elapsed()))
                emit signalDataRecv(part);
            continue;
        }
        // Quiet for the gap, or the port is gone; either way the burst is over.
        if (!burst.isEmpty())
            emit signalDataRecv(burst.takeAll());
        if (wait == LineWait::Lost) {
            // The waits return at once now; listening on would only burn the CPU.
            emit signalShowError(tr("设备监听"), linkErrorText(LinkPortLost, QByteArray()));
            return false;
        }
    }
    // What arrived before the stop is shown, not dropped.
    if (!burst.isEmpty())
        emit signalDataRecv(burst.takeAll());
    return true;
}
