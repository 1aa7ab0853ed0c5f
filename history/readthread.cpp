#include "readthread.h"

#include "config.h"
#include "historytextdecoder.h"
#include "seriallink.h"

#include <QSerialPort>

namespace {
// A pulled adapter fails the port with a resource error, a vanished
// pseudo-terminal with a read error; either way the line is gone.
bool portLost(const QSerialPort &port)
{
    return !port.isOpen() || port.error() == QSerialPort::ResourceError
            || port.error() == QSerialPort::ReadError;
}
} // namespace

ReadThread::ReadThread(QObject *parent)
    : QThread(parent)
{ }

void ReadThread::startQuery(const QByteArray &request)
{
    // The running query still reads the request it was given.
    if (isRunning())
        return;
    m_request = request;
    m_stop = false;
    start(QThread::InheritPriority);
}

void ReadThread::cancelQuery()
{
    m_stop = true;
}

void ReadThread::run()
{
    const QString title = tr("查询");
    QSerialPort port;
    if (!openSerialPort(port)) {
        emit signalShowError(title, tr("打开串口失败: %1").arg(configuredPortName()));
        return;
    }
    emit signalClearText();

    port.clear(QSerialPort::AllDirections);
    port.write(m_request);
    if (!port.waitForBytesWritten(kWriteTimeoutMs)) {
        emit signalShowError(title,
                             portLost(port) ? linkErrorText(LinkPortLost, QByteArray())
                                            : tr("发送命令超时"));
        return;
    }
    if (!port.waitForReadyRead(kFirstAnswerTimeoutMs)) {
        emit signalShowError(title,
                             portLost(port) ? linkErrorText(LinkPortLost, QByteArray())
                                            : tr("接受数据超时"));
        return;
    }

    HistoryTextDecoder decoder;
    for (;;) {
        const QString text = decoder.decode(port.readAll());
        if (!text.isEmpty())
            emit signalAddText(text);
        if (m_stop || !port.waitForReadyRead(kAnswerQuietMs))
            break;
    }
    const QString rest = decoder.finish();
    if (!rest.isEmpty())
        emit signalAddText(rest);
    // Quiet ends an answer; a vanished port cuts it short, which the user must learn.
    if (!m_stop && portLost(port))
        emit signalShowError(title, linkErrorText(LinkPortLost, QByteArray()));
}
