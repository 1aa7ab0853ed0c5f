#ifndef NORVO_COMMANDSET_H
#define NORVO_COMMANDSET_H

#include "seriallink.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

class QSerialPort;

// The write-item count byte covers the text and its terminating zero.
constexpr int kMaxItemTextBytes = 254;
constexpr int kDebugSwitchItem = 255;

// Outcome of checking a data answer FF 03 L <L bytes> CRC.
enum class DataAnswerCheck {
    Ok,
    AddressOrFunctionError,
    DataLengthError,
};

QByteArray encodeGb2312(const QString &text);
QString decodeGb2312(const QByteArray &bytes);

// Sends the read-item frame for the low byte of item and collects the answer.
LinkStatus requestItem(QSerialPort &port, int item, QByteArray &answer);
QByteArray makeReadItemFrame(int item);

// True when text fits one write-item frame; check before makeWriteItemFrame.
bool itemTextFits(const QString &text);
// Complete write-item frame, or an empty array when the text does not fit.
QByteArray makeWriteItemFrame(int item, const QString &text);

// Set-clock frame for the current local time, or for a given moment.
QByteArray makeClockFrame();
QByteArray makeClockFrame(const QDateTime &moment);
// The only answer that acknowledges the clock.
QByteArray clockAcknowledgement();

// Checks an answer whose CRC has already checked; on Ok, text receives the
// decoded data bytes.
DataAnswerCheck checkDataAnswer(const QByteArray &answer, QString *text = nullptr);

// Splits an item text into its name, the text before the first ':', and its
// value, everything after that colon (which may hold colons of its own, as a
// time does); both trimmed. A text without ':' gives the name alone.
QStringList splitItemText(const QString &text);

#endif
