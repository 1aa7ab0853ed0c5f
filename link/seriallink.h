#ifndef NORVO_SERIALLINK_H
#define NORVO_SERIALLINK_H

#include <QByteArray>
#include <QString>

class QSerialPort;

// Outcome of one request/answer exchange on the serial line.
enum LinkStatus {
    LinkOk = 0,
    LinkSendTimeout = 1,
    LinkReceiveTimeout = 2,
};

constexpr int kWriteTimeoutMs = 3000;       // request fully written
constexpr int kFirstAnswerTimeoutMs = 3000; // first answer bytes after the write
constexpr int kAnswerQuietMs = 500;         // gap that ends an answer whose CRC never checks

// Bound on one answer whose CRC never checks while bytes keep coming; every
// legal answer (at most 260 bytes for the item commands, about 30 for the
// boot-loader) is far below it. A time limit from the baud rate bounds it too.
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

// Sends one request and collects the answer until its CRC checks, the line is
// quiet for kAnswerQuietMs, or the answer bounds are reached.
LinkStatus sendAndReceive(QSerialPort &port, const char *request, int length, QByteArray &answer);
LinkStatus sendAndReceive(QSerialPort &port, const QByteArray &request, QByteArray &answer);

// Translated message for an exchange outcome; empty when the answer may be parsed.
QString linkErrorText(int status, const QByteArray &answer);

#endif
