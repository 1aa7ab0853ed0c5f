#include "seriallink.h"

#include "config.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>

namespace {
constexpr qint32 kAssumedBaudRate = 115200; // when the port reports no rate
constexpr qint64 kAnswerTimeSlackMs = 1000;
constexpr quint8 kAnswerAddress = 0xFF;
constexpr quint8 kAnswerFunction = 0x03;

bool startsAsDataAnswer(const QByteArray &answer)
{
    return answer.size() >= 2 && static_cast<quint8>(answer.at(0)) == kAnswerAddress
            && static_cast<quint8>(answer.at(1)) == kAnswerFunction;
}

// The device node behind a port name: the port keeps a name under /dev
// without that prefix.
QString portDevicePath(const QString &name)
{
#ifdef Q_OS_UNIX
    if (!name.startsWith(QLatin1Char('/')) && !name.startsWith(QLatin1String("./"))
        && !name.startsWith(QLatin1String("../")))
        return QLatin1String("/dev/") + name;
#endif
    return name;
}

QString permissionDeniedText(const QString &name)
{
#ifdef Q_OS_LINUX
    // Serial devices belong to a group (dialout on Debian) whose members may
    // use them; membership takes effect at the next login.
    const QString group = QFileInfo(portDevicePath(name)).group();
    if (!group.isEmpty())
        return QCoreApplication::translate(
                       "QObject",
                       "打开串口失败: 没有权限读写 %1。请把当前用户加入设备所属的组 %2"
                       "（sudo usermod -aG %2 $USER），然后注销并重新登录")
                .arg(name, group);
#endif
    return QCoreApplication::translate(
                   "QObject", "打开串口失败: 没有权限读写 %1，请让管理员给当前用户读写它的权限")
            .arg(name);
}
} // namespace

bool portVanished(const QSerialPort &port)
{
    if (!port.isOpen() || port.error() == QSerialPort::ResourceError)
        return true;
#ifdef Q_OS_UNIX
    // A hung-up terminal only reports "hang-up", which the port's waits do not
    // treat as an error; the device node going away is what tells.
    return !QFileInfo::exists(portDevicePath(port.portName()));
#else
    return false;
#endif
}

LineWait waitForBytes(QSerialPort &port, int timeoutMs, const std::atomic<bool> *stop)
{
    QElapsedTimer waiting;
    waiting.start();
    for (;;) {
        const int leftMs = static_cast<int>(timeoutMs - waiting.elapsed());
        if (port.bytesAvailable() > 0 || port.waitForReadyRead(qBound(0, leftMs, kLostPortCheckMs)))
            return LineWait::Ready;
        if (portVanished(port))
            return LineWait::Lost;
        if (waiting.elapsed() >= timeoutMs || (stop && *stop))
            return LineWait::Quiet;
    }
}

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
    return openSerialPort(port, configuredPortName(), configuredBaudRate());
}

bool openSerialPort(QSerialPort &port, const QString &name, qint32 baudRate)
{
    port.setPortName(name);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.setBaudRate(baudRate, QSerialPort::AllDirections);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return true;
}

bool portAccessDenied(const QString &name)
{
#ifdef Q_OS_UNIX
    const QFileInfo device(portDevicePath(name));
    return device.exists() && !(device.isReadable() && device.isWritable());
#else
    Q_UNUSED(name)
    return false;
#endif
}

QString portOpenErrorText(const QSerialPort &port, const QString &name)
{
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return QCoreApplication::translate("QObject",
                                           "打开串口失败: %1 不存在，请检查串口名称和连线")
                .arg(name);
    case QSerialPort::PermissionError:
        // Refused for want of permission, or held by another program (under
        // an exclusive lock or a lock file): the device's own permissions tell
        // which. Windows refuses a port in use as "access denied".
        if (portAccessDenied(name))
            return permissionDeniedText(name);
        return QCoreApplication::translate(
                       "QObject", "打开串口失败: %1 正被其他程序占用，请关闭那个程序后再试")
                .arg(name);
    default:
        return QCoreApplication::translate("QObject", "打开串口失败: %1（%2）")
                .arg(name, port.errorString());
    }
}

QString openFailureText(const QSerialPort &port, const QString &missingPortText)
{
    const QString name = configuredPortName();
    return name.isEmpty() ? missingPortText : portOpenErrorText(port, name);
}

namespace {
// One exchange: the request out, then the answer in until complete() says it
// is whole, the line is quiet for kAnswerQuietMs, or the answer bounds are reached.
template<typename Complete>
LinkStatus exchange(QSerialPort &port, const char *request, int length, QByteArray &answer,
                    Complete complete)
{
    answer.clear();
    port.clear(QSerialPort::AllDirections);
    port.write(request, length);
    if (!port.waitForBytesWritten(kWriteTimeoutMs))
        return portVanished(port) ? LinkPortLost : LinkSendTimeout;
    switch (waitForBytes(port, kFirstAnswerTimeoutMs)) {
    case LineWait::Lost:
        return LinkPortLost;
    case LineWait::Quiet:
        return LinkReceiveTimeout;
    case LineWait::Ready:
        break;
    }
    answer = port.read(kMaxAnswerBytes);

    // An answer that never completes while bytes keep coming must still end:
    // a fast stream at the byte bound, a slow trickle at the time bound.
    QElapsedTimer collecting;
    collecting.start();
    const int timeLimitMs = answerTimeLimitMs(port.baudRate());
    while (!complete(answer)) {
        if (answer.size() >= kMaxAnswerBytes || collecting.elapsed() >= timeLimitMs)
            break;
        const LineWait wait = waitForBytes(port, kAnswerQuietMs);
        if (wait == LineWait::Lost)
            return LinkPortLost;
        if (wait == LineWait::Quiet)
            break;
        answer.append(port.read(kMaxAnswerBytes - answer.size()));
    }
    return LinkOk;
}
} // namespace

LinkStatus sendAndReceive(QSerialPort &port, const char *request, int length, QByteArray &answer)
{
    return exchange(port, request, length, answer, answerComplete);
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
    return exchange(port, request.constData(), request.size(), answer,
                    [answerLength](const QByteArray &collected) {
                        return collected.size() >= answerLength;
                    });
}

LinkStatus sendAndReceiveUntil(QSerialPort &port, const QByteArray &request,
                               const std::function<bool(const QByteArray &)> &complete,
                               QByteArray &answer)
{
    return exchange(port, request.constData(), request.size(), answer, complete);
}
