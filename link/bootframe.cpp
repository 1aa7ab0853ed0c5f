#include "bootframe.h"

#include "seriallink.h"

namespace {
constexpr int kFrameOverheadBytes = 10; // start, addresses, command, length, CRC, end

// Unlike the configuration frames, the framed requests carry their CRC high byte first.
void appendCrcHighFirst(QByteArray &frame)
{
    const quint16 crc = crc16(frame);
    frame.append(static_cast<char>(crc >> 8));
    frame.append(static_cast<char>(crc & 0xFF));
}
} // namespace

QByteArray bootFrame(quint16 command, quint16 lengthField, const QByteArray &data,
                     quint8 destination, quint8 source)
{
    QByteArray frame;
    frame.reserve(data.size() + kFrameOverheadBytes);
    frame.append(static_cast<char>(kBootStartByte));
    frame.append(static_cast<char>(destination));
    frame.append(static_cast<char>(source));
    frame.append(static_cast<char>(command >> 8)).append(static_cast<char>(command & 0xFF));
    frame.append(static_cast<char>(lengthField >> 8)).append(static_cast<char>(lengthField & 0xFF));
    frame.append(data);
    appendCrcHighFirst(frame);
    frame.append(static_cast<char>(kBootEndByte));
    return frame;
}
