#include "readthread.h"

#include "config.h"
#include "historytextdecoder.h"
#include "seriallink.h"

#include <QSerialPort>

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
        emit signalShowError(title, openFailureText(port, tr("打开串口失败: %1").arg(QString())));
        return;
    }
    emit signalClearText();

    port.clear(QSerialPort::AllDirections);
    port.write(m_request);
    if (!port.waitForBytesWritten(kWriteTimeoutMs)) {
        emit signalShowError(title,
                             portVanished(port) ? linkErrorText(LinkPortLost, QByteArray())
                                                : tr("发送命令超时"));
        return;
    }
    // A cancel (the dialog closing) ends the wait for the first answer too.
    switch (waitForBytes(port, kFirstAnswerTimeoutMs, &m_stop)) {
    case LineWait::Lost:
        emit signalShowError(title, linkErrorText(LinkPortLost, QByteArray()));
        return;
    case LineWait::Quiet:
        if (!m_stop)
            emit signalShowError(title, tr("接受数据超时"));
        return;
    case LineWait::Ready:
        break;
    }

    HistoryTextDecoder decoder;
    qint64 received = 0;
    LineWait wait = LineWait::Ready;
    while (wait == LineWait::Ready) {
        // One byte past the bound is enough to know it is crossed. What is
        // there, not the bound: read() sets aside the whole size it is given.
        const QByteArray chunk
                = port.read(qMin(port.bytesAvailable(), m_answerLimit - received + 1));
        received += chunk.size();
        if (received > m_answerLimit) {
            emit signalShowError(title, tr("应答过长, 已停止读取; 请关闭仪表的调试输出后再查询"));
            return;
        }
        const QString text = decoder.decode(chunk);
        if (!text.isEmpty())
            emit signalAddText(text);
        if (m_stop)
            break;
        wait = waitForBytes(port, kAnswerQuietMs);
    }
    const QString rest = decoder.finish();
    if (!rest.isEmpty())
        emit signalAddText(rest);
    // Quiet ends an answer; a vanished port cuts it short, which the user must learn.
    if (wait == LineWait::Lost)
        emit signalShowError(title, linkErrorText(LinkPortLost, QByteArray()));
}
