#include "commandset.h"

#include <QSerialPort>
#include <QTextCodec>

namespace {
constexpr char kAddress = char(0xFF);
constexpr char kReadFunction = 0x03;
constexpr char kWriteFunction = 0x0F;
constexpr char kItemArea = 'K';
constexpr char kClockArea = 'M';
constexpr char kClockRegister = 0x08;

QTextCodec *gb2312()
{
    static QTextCodec *const codec = QTextCodec::codecForName("gb2312");
    return codec;
}
} // namespace

QByteArray encodeGb2312(const QString &text)
{
    return gb2312()->fromUnicode(text);
}

QString decodeGb2312(const QByteArray &bytes)
{
    return gb2312()->toUnicode(bytes);
}

QByteArray makeReadItemFrame(int item)
{
    QByteArray frame;
    frame.append(kAddress).append(kReadFunction).append(kItemArea);
    frame.append(static_cast<char>(item & 0xFF)).append('\0').append('\0');
    appendCrc(frame);
    return frame;
}

LinkStatus requestItem(QSerialPort &port, int item, QByteArray &answer)
{
    return sendAndReceive(port, makeReadItemFrame(item), answer);
}

bool itemTextFits(const QString &text)
{
    return encodeGb2312(text).size() <= kMaxItemTextBytes;
}

QByteArray makeWriteItemFrame(int item, const QString &text)
{
    const QByteArray encoded = encodeGb2312(text);
    if (encoded.size() > kMaxItemTextBytes)
        return QByteArray();
    QByteArray frame;
    frame.append(kAddress).append(kWriteFunction).append(kItemArea);
    frame.append(static_cast<char>(item & 0xFF)).append('\0').append('\0');
    frame.append(static_cast<char>(encoded.size() + 1));
    frame.append(encoded).append('\0');
    appendCrc(frame);
    return frame;
}

QByteArray makeClockFrame()
{
    return makeClockFrame(QDateTime::currentDateTime());
}

QByteArray makeClockFrame(const QDateTime &moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    QByteArray frame;
    frame.append(kAddress).append(kWriteFunction).append(kClockArea).append(kClockRegister);
    frame.append('\0').append(char(0x03)).append(char(0x07));
    frame.append(static_cast<char>(date.year() % 100));
    frame.append(static_cast<char>(date.month()));
    frame.append(static_cast<char>(date.day()));
    frame.append(static_cast<char>(time.hour()));
    frame.append(static_cast<char>(time.minute()));
    frame.append(static_cast<char>(time.second()));
    frame.append(static_cast<char>(date.dayOfWeek()));
    appendCrc(frame);
    return frame;
}

QByteArray clockAcknowledgement()
{
    return QByteArray("\xFF\x03\x02\x4F\x4B\xE5\x97", 7);
}

DataAnswerCheck checkDataAnswer(const QByteArray &answer, QString *text)
{
    if (answer.size() < kDataAnswerOverhead || answer.at(0) != kAddress
        || answer.at(1) != kReadFunction)
        return DataAnswerCheck::AddressOrFunctionError;
    const int length = static_cast<unsigned char>(answer.at(2));
    if (length != answer.size() - kDataAnswerOverhead)
        return DataAnswerCheck::DataLengthError;
    if (text)
        *text = decodeGb2312(answer.mid(3, length));
    return DataAnswerCheck::Ok;
}

QStringList splitItemText(const QString &text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {text.trimmed()};
    return {text.left(colon).trimmed(), text.mid(colon + 1).trimmed()};
}
