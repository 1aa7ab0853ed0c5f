#include "debugswitch.h"

#include "commandset.h"

#include <QElapsedTimer>
#include <QSerialPort>

namespace {
constexpr quint8 kAnswerAddress = 0xFF;
constexpr quint8 kAnswerFunction = 0x03;
// Running debug output keeps the line busy, so quiet alone cannot end the wait
// for an answer that never comes.
constexpr int kAnswerWindowMs = kFirstAnswerTimeoutMs + kAnswerQuietMs;
} // namespace

int findDataAnswer(const QByteArray &bytes, int *length)
{
    for (int at = bytes.indexOf(char(kAnswerAddress)); at >= 0;
         at = bytes.indexOf(char(kAnswerAddress), at + 1)) {
        if (at + kDataAnswerOverhead > bytes.size())
            break;
        if (static_cast<quint8>(bytes.at(at + 1)) != kAnswerFunction)
            continue;
        const int frameLength = static_cast<quint8>(bytes.at(at + 2)) + kDataAnswerOverhead;
        if (at + frameLength <= bytes.size() && checkCrc(bytes.mid(at, frameLength))) {
            if (length)
                *length = frameLength;
            return at;
        }
    }
    return -1;
}

DebugSwitchReply exchangeDebugSwitch(QSerialPort &port, const QString &text)
{
    DebugSwitchReply reply;
    const QByteArray request = makeWriteItemFrame(kDebugSwitchItem, text);
    port.clear(QSerialPort::AllDirections);
    port.write(request);
    if (!port.waitForBytesWritten(kWriteTimeoutMs)) {
        reply.status = portVanished(port) ? LinkPortLost : LinkSendTimeout;
        return reply;
    }

    QElapsedTimer sinceWrite;
    sinceWrite.start();
    QByteArray received;
    for (;;) {
        const int waitMs = received.isEmpty() ? kFirstAnswerTimeoutMs : kAnswerQuietMs;
        const LineWait wait = waitForBytes(port, waitMs);
        if (wait != LineWait::Ready) {
            if (wait == LineWait::Lost)
                reply.status = LinkPortLost;
            else if (received.isEmpty())
                reply.status = LinkReceiveTimeout;
            reply.answer = received; // a broken answer: linkErrorText finds the CRC wrong
            return reply;
        }
        received.append(port.readAll());
        if (answerComplete(received)) {
            reply.answer = received;
            return reply;
        }
        int length = 0;
        const int at = findDataAnswer(received, &length);
        if (at >= 0) {
            reply.answer = received.mid(at, length);
            reply.after = received.mid(at + length);
            return reply;
        }
        if (sinceWrite.elapsed() >= kAnswerWindowMs) {
            reply.status = LinkReceiveTimeout;
            return reply;
        }
    }
}
