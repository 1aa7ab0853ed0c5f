#include "portprobe.h"

#include "commandset.h"
#include "seriallink.h"

#include <QSerialPort>

namespace {
constexpr int kProbedItem = 0; // the first item names the device
constexpr int kLengthByte = 2; // FF 03 L …

// True while the bytes so far, not yet a whole answer, can still grow into a
// data answer FF 03 L … CRC: shorter than its length byte says, as one that
// already has that length and does not check never becomes one. An instrument
// at another rate, or some other device, fails this within its first bytes.
bool couldBecomeDataAnswer(const QByteArray &answer)
{
    static const QByteArray head = QByteArray::fromHex("FF03");
    if (!head.startsWith(answer.left(kLengthByte)))
        return false;
    return answer.size() <= kLengthByte
            || answer.size() < static_cast<quint8>(answer.at(kLengthByte)) + kDataAnswerOverhead;
}

// One request at the rate the port is set to; true when a whole data answer came back.
bool askFirstItem(QSerialPort &port, qint32 baudRate, const std::atomic<bool> &stop,
                  QByteArray &answer)
{
    const QByteArray request = makeReadItemFrame(kProbedItem);
    answer.clear();
    port.clear(QSerialPort::AllDirections);
    port.write(request);
    if (!port.waitForBytesWritten(kWriteTimeoutMs))
        return false;
    int waitMs = lineTimeMs(request.size() + 1, baudRate) + kProbeReplyMarginMs;
    for (;;) {
        if (waitForBytes(port, waitMs, &stop) != LineWait::Ready)
            return false;
        answer.append(port.read(kLongestLegalAnswerBytes - answer.size()));
        if (answerComplete(answer))
            return true;
        // Also ends a whole-length answer that does not check: reading on
        // would ask for no bytes and spin while more are waiting.
        if (!couldBecomeDataAnswer(answer))
            return false;
        waitMs = lineTimeMs(1, baudRate) + kProbeReplyMarginMs;
    }
}
} // namespace

const QList<qint32> &baudRateChoices()
{
    // 43000 is uncommon but belongs to the list.
    static const QList<qint32> rates{75,   110,  134,   150,   300,   600,   1200,  2400,   4800,
                                     7200, 9600, 14400, 19200, 38400, 43000, 57600, 115200, 128000};
    return rates;
}

const QList<qint32> &probeBaudRates()
{
    static const QList<qint32> rates{115200, 9600, 19200, 38400, 57600, 4800, 2400, 1200, 128000,
                                     14400,  7200, 600,   300,   43000, 150,  134,  110,  75};
    return rates;
}

int lineTimeMs(int byteCount, qint32 baudRate)
{
    const qint64 bits = static_cast<qint64>(byteCount) * kBitsPerByte * 1000;
    return static_cast<int>((bits + baudRate - 1) / qMax(1, baudRate));
}

PortProbeResult probePort(const QString &name, const QList<qint32> &rates,
                          const std::atomic<bool> &stop)
{
    PortProbeResult result;
    result.port = name;
    if (rates.isEmpty())
        return result;
    QSerialPort port;
    if (!openSerialPort(port, name, rates.constFirst())) {
        result.error = portOpenErrorText(port, name);
        return result;
    }
    for (const qint32 rate : rates) {
        if (stop)
            break;
        port.setBaudRate(rate);
        QByteArray answer;
        QString text;
        if (askFirstItem(port, rate, stop, answer)
            && checkDataAnswer(answer, &text) == DataAnswerCheck::Ok) {
            const QStringList fields = splitItemText(text);
            result.baudRate = rate;
            result.device = fields.value(1, fields.value(0));
            break;
        }
        if (portVanished(port)) {
            result.error = linkErrorText(LinkPortLost, answer);
            break;
        }
    }
    return result;
}

QStringList probeCandidates(const QStringList &listed, const QStringList &extra)
{
    QStringList ports;
    for (const QString &name : listed + extra) {
        if (!name.isEmpty() && !ports.contains(name))
            ports.append(name);
    }
    return ports;
}
