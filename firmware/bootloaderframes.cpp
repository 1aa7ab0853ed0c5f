#include "bootloaderframes.h"

#include "bootframe.h"

#include <QtEndian>

namespace {
constexpr quint16 kIdentifyCommand = 0x293F;
constexpr quint16 kEraseCommand = 0x2FAC;
constexpr quint16 kPageCommand = 0x2C01;
constexpr quint16 kClosingCommand = 0x2A79;
constexpr quint16 kAnswerCommand = 0x0101;
constexpr quint16 kEraseLength = 7;
constexpr quint16 kPageLength = 0x0404;
// Leading data bytes the boot-loader expects; they mean nothing to the assistant.
const QByteArray kEraseLead = QByteArray::fromHex("910004");
const QByteArray kPageLead = QByteArray::fromHex("910401");
constexpr char kTextMarker = 0x01;
// The erase report carries four status bytes after its text.
const QByteArray kEraseReport("Erase OK\r\n\x00\x00\x00\xC1\x81\x40", 16);
// Where the fields of a boot-loader frame start: 7E, two addresses, command, length field, data.
constexpr int kAnswerCommandOffset = 3;
constexpr int kAnswerLengthOffset = 5;
constexpr int kAnswerDataOffset = 7;
constexpr int kAnswerTrailerBytes = 3; // CRC and end byte
} // namespace

QByteArray bootIdentifyRequest()
{
    return bootFrame(kIdentifyCommand, 0, QByteArray());
}

QByteArray bootEraseRequest(quint32 imageSize)
{
    char size[4];
    qToLittleEndian(imageSize, size);
    return bootFrame(kEraseCommand, kEraseLength, kEraseLead + QByteArray(size, sizeof size));
}

QByteArray bootEraseAnswer()
{
    return bootTextAnswer(kEraseReport);
}

QByteArray bootPageRequest(const char *page, quint8 index)
{
    QByteArray data = kPageLead;
    data.reserve(kPageLead.size() + 1 + kBootPageBytes);
    data.append(static_cast<char>(index)).append(page, kBootPageBytes);
    return bootFrame(kPageCommand, kPageLength, data);
}

QByteArray bootPageAnswer(quint8 index)
{
    return bootTextAnswer(QByteArrayLiteral("Page[") + QByteArray::number(index)
                          + QByteArrayLiteral("] OK\r\n"));
}

QByteArray bootClosingRequest()
{
    return bootFrame(kClosingCommand, 0, QByteArray());
}

QByteArray bootTextAnswer(const QByteArray &text)
{
    QByteArray data(1, kTextMarker);
    data.append(static_cast<char>(text.size() >> 8)).append(static_cast<char>(text.size() & 0xFF));
    data.append(text);
    return bootFrame(kAnswerCommand, static_cast<quint16>(data.size()), data, kPcAddress,
                     kInstrumentAddress);
}

bool bootAnswerComplete(const QByteArray &answer)
{
    if (answer.size() < kAnswerDataOffset + kAnswerTrailerBytes)
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(answer.constData());
    const quint16 length = qFromBigEndian<quint16>(bytes + kAnswerLengthOffset);
    if (answer.size() != kAnswerDataOffset + length + kAnswerTrailerBytes)
        return false;
    // Built again from its own header and data, the frame checks start byte,
    // CRC and end byte at once.
    const quint16 command = qFromBigEndian<quint16>(bytes + kAnswerCommandOffset);
    return answer
            == bootFrame(command, length, answer.mid(kAnswerDataOffset, length), bytes[1],
                         bytes[2]);
}
