#include "seriallink.h"

#include "config.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>

namespace {
constexpr qint64 kBitsPerByte = 10;         // start bit, eight data bits, stop bit
constexpr qint32 kAssumedBaudRate = 115200; // when the port reports no rate
constexpr qint64 kAnswerTimeSlackMs = 1000;
constexpr quint8 kAnswerAddress = 0xFF;
constexpr quint8 kAnswerFunction = 0x03;
constexpr int kDataAnswerOverhead = 5; // address, function, length byte, two CRC bytes

bool portLost(const QSerialPort &port)
{
    return !port.isOpen() || port.error() == QSerialPort::ResourceError;
}

bool startsAsDataAnswer(const QByteArray &answer)
{
    return answer.size() >= 2 && static_cast<quint8>(answer.at(0)) == kAnswerAddress
            && static_cast<quint8>(answer.at(1)) == kAnswerFunction;
}
} // namespace

bool answerComplete(const QByteArray &answer)
{
    if (answer.size() <= 2)
        return false;
    if (startsAsDataAnswer(answer)) {
        const int length = static_cast<quint8>(answer.at(2));
        if (answer.size() != length + kDataAnswerOverhead)
            return false;
    }
    return checkCrc(answer);
}

int answerTimeLimitMs(qint32 baudRate)
{
    const qint64 rate = baudRate > 0 ? baudRate : kAssumedBaudRate;
    const qint64 byteMs = (kBitsPerByte * 1000 + rate - 1) / rate;
    return static_cast<int>(kLongestLegalAnswerBytes * (kAnswerQuietMs + byteMs)
                            + kAnswerTimeSlackMs);
}

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
        return portLost(port) ? LinkPortLost : LinkSendTimeout;
    if (!port.waitForReadyRead(kFirstAnswerTimeoutMs))
        return portLost(port) ? LinkPortLost : LinkReceiveTimeout;
    answer = port.read(kMaxAnswerBytes);

    // An answer that never completes while bytes keep coming must still end:
    // a fast stream at the byte bound, a slow trickle at the time bound.
    QElapsedTimer collecting;
    collecting.start();
    const int timeLimitMs = answerTimeLimitMs(port.baudRate());
    while (!answerComplete(answer)) {
        if (answer.size() >= kMaxAnswerBytes || collecting.elapsed() >= timeLimitMs)
            break;
        if (!port.waitForReadyRead(kAnswerQuietMs)) {
            if (portLost(port))
                return LinkPortLost;
            break;
        }
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
    case LinkPortLost:
        return QCoreApplication::translate("QObject", "串口已断开");
    default:
        return QCoreApplication::translate("QObject", "未定义的错误");
    }
}

LinkStatus sendAndReceiveKnownLength(QSerialPort &port, const QByteArray &request, int answerLength,
                                     QByteArray &answer)
{
    answer.clear();
    port.clear(QSerialPort::AllDirections);
    port.write(request);
    if (!port.waitForBytesWritten(kWriteTimeoutMs))
        return portLost(port) ? LinkPortLost : LinkSendTimeout;
    if (!port.waitForReadyRead(kFirstAnswerTimeoutMs))
        return portLost(port) ? LinkPortLost : LinkReceiveTimeout;
    answer = port.read(kMaxAnswerBytes);

    QElapsedTimer collecting;
    collecting.start();
    const int timeLimitMs = answerTimeLimitMs(port.baudRate());
    while (answer.size() < answerLength && collecting.elapsed() < timeLimitMs) {
        if (!port.waitForReadyRead(kAnswerQuietMs)) {
            if (portLost(port))
                return LinkPortLost;
            break;
        }
        answer.append(port.read(kMaxAnswerBytes - answer.size()));
    }
    return LinkOk;
}
