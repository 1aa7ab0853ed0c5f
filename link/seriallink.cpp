#include "seriallink.h"

#include "config.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>

namespace {
constexpr qint64 kBitsPerByte = 10;               // start bit, eight data bits, stop bit
constexpr qint32 kAssumedBaudRate = 115200;       // when the port reports no rate
constexpr qint64 kLongestLegalAnswerBytes = 1100; // above every legal answer, with room to spare
constexpr qint64 kAnswerTimeSlackMs = 2000;
constexpr qint64 kMaxAnswerTimeLimitMs = 3600 * 1000; // an hour, even at the slowest rates

// Longest time an answer may keep arriving at the given baud rate: twice the
// line time of the longest legal answer, plus slack.
int answerTimeLimitMs(qint32 baudRate)
{
    const qint64 rate = baudRate > 0 ? baudRate : kAssumedBaudRate;
    const qint64 lineMs = 2 * kLongestLegalAnswerBytes * kBitsPerByte * 1000 / rate;
    return static_cast<int>(qMin(kAnswerTimeSlackMs + lineMs, kMaxAnswerTimeLimitMs));
}

bool portLost(const QSerialPort &port)
{
    return !port.isOpen() || port.error() == QSerialPort::ResourceError;
}
} // namespace

quint16 crc16(const unsigned char *data, int length)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            if (crc & 0x0001)
                crc = static_cast<quint16>((crc >> 1) ^ 0xA001);
            else
                crc = static_cast<quint16>(crc >> 1);
        }
    }
    return crc;
}

quint16 crc16(const QByteArray &data)
{
    return crc16(reinterpret_cast<const unsigned char *>(data.constData()), data.size());
}

bool checkCrc(const unsigned char *data, int length)
{
    if (length < 3)
        return false;
    const quint16 expected = static_cast<quint16>(data[length - 2] | (data[length - 1] << 8));
    return crc16(data, length - 2) == expected;
}

bool checkCrc(const QByteArray &frame)
{
    return checkCrc(reinterpret_cast<const unsigned char *>(frame.constData()), frame.size());
}

void appendCrc(QByteArray &frame)
{
    const quint16 crc = crc16(frame);
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
}

bool openSerialPort(QSerialPort &port)
{
    port.setPortName(configuredPortName());
    if (!port.open(QIODevice::ReadWrite))
        return false;
    const int baudRate = configuredBaudRate();
    port.setBaudRate(baudRate, QSerialPort::AllDirections);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return true;
}

LinkStatus sendAndReceive(QSerialPort &port, const char *request, int length, QByteArray &answer)
{
    answer.clear();
    port.clear(QSerialPort::AllDirections);
    port.write(request, length);
    if (!port.waitForBytesWritten(kWriteTimeoutMs))
        return LinkSendTimeout;
    if (!port.waitForReadyRead(kFirstAnswerTimeoutMs))
        return LinkReceiveTimeout;
    answer = port.readAll();

    // An answer that never checks while bytes keep coming must still end.
    QElapsedTimer collecting;
    collecting.start();
    const int timeLimitMs = answerTimeLimitMs(port.baudRate());
    while (!(answer.size() > 2 && checkCrc(answer))) {
        if (answer.size() >= kMaxAnswerBytes || collecting.elapsed() >= timeLimitMs)
            break;
        if (portLost(port) || !port.waitForReadyRead(kAnswerQuietMs))
            break;
        answer.append(port.read(kMaxAnswerBytes - answer.size()));
    }
    return LinkOk;
}

LinkStatus sendAndReceive(QSerialPort &port, const QByteArray &request, QByteArray &answer)
{
    return sendAndReceive(port, request.constData(), request.size(), answer);
}

QString linkErrorText(int status, const QByteArray &answer)
{
    switch (status) {
    case LinkOk:
        if (answer.size() > 2 && checkCrc(answer))
            return QString();
        return QCoreApplication::translate("QObject", "CRC校验错误");
    case LinkSendTimeout:
        return QCoreApplication::translate("QObject", "发送命令超时");
    case LinkReceiveTimeout:
        return QCoreApplication::translate("QObject", "接受数据超时");
    default:
        return QCoreApplication::translate("QObject", "未定义的错误");
    }
}
