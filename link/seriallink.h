#ifndef NORVO_SERIALLINK_H
#define NORVO_SERIALLINK_H

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

class QSerialPort;

// Outcome of one request/answer exchange on the serial line.
enum LinkStatus {
    LinkOk = 0,
    LinkSendTimeout = 1,
    LinkReceiveTimeout = 2,
    LinkPortLost = 3, // the port went away (cable or adapter pulled) during the exchange
};

constexpr int kWriteTimeoutMs = 3000;       // request fully written
constexpr int kFirstAnswerTimeoutMs = 3000; // first answer bytes after the write
constexpr int kAnswerQuietMs = 500;         // gap that ends an answer whose CRC never checks

constexpr int kBitsPerByte = 10; // start bit, eight data bits, stop bit

// A data answer FF 03 L <L bytes> CRC carries five bytes besides its data:
// address, function, length byte and the two CRC bytes.
constexpr int kDataAnswerOverhead = 5;
// The longest legal answer: FF 03, a length byte, 255 data bytes and the CRC.
// The boot-loader's answers are shorter.
constexpr int kLongestLegalAnswerBytes = 260;
// Bound on one answer whose CRC never checks while bytes keep coming fast.
// A slow trickle is bounded by answerTimeLimitMs().
constexpr int kMaxAnswerBytes = 4096;

// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final XOR.
quint16 crc16(const unsigned char *data, int length);
quint16 crc16(const QByteArray &data);

// True when the last two bytes are the CRC of the bytes before them, low byte first.
bool checkCrc(const unsigned char *data, int length);
bool checkCrc(const QByteArray &frame);

// Appends the CRC of everything in frame, low byte first.
void appendCrc(QByteArray &frame);

// Opens the port named in config.ini at its baud rate, 8N1, no flow control.
bool openSerialPort(QSerialPort &port);
// Opens the named port at the given rate, 8N1, no flow control.
bool openSerialPort(QSerialPort &port, const QString &name, qint32 baudRate);

// Why a port did not open, told so the user knows what to do: no such port,
// no permission (on Linux naming the group that owns the device), held by
// another program, or the system's own text. name is the port as configured.
QString portOpenErrorText(const QSerialPort &port, const QString &name);

// The failure text for openSerialPort(port) on the configured port:
// missingPortText when no port is configured, else portOpenErrorText.
QString openFailureText(const QSerialPort &port, const QString &missingPortText);

// True when the port exists but this user may not read and write it; false
// where that cannot be known without opening it.
bool portAccessDenied(const QString &name);

// True once the collected answer is whole: a data answer FF 03 L … when it
// holds exactly L + 5 bytes and its CRC checks (a shorter prefix can check by
// chance), any other answer as soon as its CRC checks.
bool answerComplete(const QByteArray &answer);

// Longest time one answer may keep arriving at the given baud rate: the
// longest legal answer with a gap just under kAnswerQuietMs before every byte.
int answerTimeLimitMs(qint32 baudRate);

// How a wait for bytes from the instrument ended.
enum class LineWait {
    Ready, // bytes are ready to read
    Quiet, // none came in time
    Lost,  // the port went away
};

// Waits up to timeoutMs for bytes to read. A port that goes away (an adapter
// unplugged, a pseudo-terminal closed) is noticed within kLostPortCheckMs,
// however long the wait; so is a stop request, which ends the wait as Quiet.
LineWait waitForBytes(QSerialPort &port, int timeoutMs, const std::atomic<bool> *stop = nullptr);
constexpr int kLostPortCheckMs = 100;

// True when the port is gone: closed, failed with a resource error, or its
// device node has disappeared.
bool portVanished(const QSerialPort &port);

// Sends one request and collects the answer until it is complete, the line is
// quiet for kAnswerQuietMs, or the answer bounds are reached.
LinkStatus sendAndReceive(QSerialPort &port, const char *request, int length, QByteArray &answer);
LinkStatus sendAndReceive(QSerialPort &port, const QByteArray &request, QByteArray &answer);

// Translated message for an exchange outcome; empty when the answer may be parsed.
QString linkErrorText(int status, const QByteArray &answer);

// Like sendAndReceive for an answer whose length is known in advance: the
// exchange also ends as soon as answerLength bytes have arrived, instead of
// waiting kAnswerQuietMs for an answer that carries no checkable CRC. Bytes
// beyond answerLength that came in the same read are kept in the answer.
LinkStatus sendAndReceiveKnownLength(QSerialPort &port, const QByteArray &request, int answerLength,
                                     QByteArray &answer);

// Like sendAndReceive for an answer that says itself when it is whole (a
// framed answer with its own length field and CRC): the exchange ends as soon
// as complete() accepts the answer collected so far, else as sendAndReceive's does.
LinkStatus sendAndReceiveUntil(QSerialPort &port, const QByteArray &request,
                               const std::function<bool(const QByteArray &)> &complete,
                               QByteArray &answer);

#endif
