#include "requestscanner.h"

#include "bootframe.h"
#include "commandset.h"

#include <QHash>

namespace {
constexpr quint8 kConfigAddress = 0xFF;
constexpr quint8 kReadFunction = 0x03;
constexpr quint8 kWriteFunction = 0x0F;
constexpr quint8 kItemArea = 'K';
constexpr quint8 kClockArea = 'M';
constexpr quint8 kClockRegister = 0x08;
constexpr int kReadFrameBytes = 8;
constexpr int kWriteHeaderBytes = 7; // address … count byte
constexpr int kCrcBytes = 2;
constexpr int kClockFieldBytes = 7;
constexpr int kFramedHeaderBytes = 7;    // start, addresses, command, length field
constexpr int kFramedOverheadBytes = 10; // header, CRC, end byte
// The boot-loader's largest request is a page write of 1028 data bytes.
constexpr int kMaxFramedDataBytes = 2048;

constexpr quint16 kHistoryCommand = 0x4E9F;
constexpr quint16 kBootIdentifyCommand = 0x293F;
constexpr quint16 kBootEraseCommand = 0x2FAC;
constexpr quint16 kBootPageCommand = 0x2C01;
constexpr quint16 kBootCloseCommand = 0x2A79;
// The history request's length field says 7 while nine data bytes follow.
constexpr int kHistoryDataBytes = 9;

quint8 byteAt(const QByteArray &bytes, int index)
{
    return static_cast<quint8>(bytes.at(index));
}

quint16 wordAt(const QByteArray &bytes, int index)
{
    return static_cast<quint16>(byteAt(bytes, index) << 8 | byteAt(bytes, index + 1));
}

int framedDataBytes(quint16 command, quint16 lengthField)
{
    return command == kHistoryCommand ? kHistoryDataBytes : lengthField;
}

// Rebuilt from its header and data, the frame must match byte for byte, CRC and end byte too.
bool framedFrameChecks(const QByteArray &frame)
{
    return frame
            == bootFrame(wordAt(frame, 3), wordAt(frame, 5),
                         frame.mid(kFramedHeaderBytes, frame.size() - kFramedOverheadBytes));
}

SimRequest classify(const QByteArray &frame)
{
    SimRequest request;
    request.frame = frame;
    if (byteAt(frame, 0) == kBootStartByte) {
        request.payload = frame.mid(kFramedHeaderBytes, frame.size() - kFramedOverheadBytes);
        static const QHash<quint16, SimRequest::Kind> kinds{
                {kHistoryCommand, SimRequest::History},
                {kBootIdentifyCommand, SimRequest::BootIdentify},
                {kBootEraseCommand, SimRequest::BootErase},
                {kBootPageCommand, SimRequest::BootPage},
                {kBootCloseCommand, SimRequest::BootClose},
        };
        request.kind = kinds.value(wordAt(frame, 3), SimRequest::Unknown);
        return request;
    }

    const quint8 reg = byteAt(frame, 3);
    if (frame == makeReadItemFrame(reg)) {
        request.kind = SimRequest::ReadItem;
        request.item = reg;
        return request;
    }
    if (byteAt(frame, 1) != kWriteFunction || byteAt(frame, 4) != 0x00)
        return request;
    const quint8 area = byteAt(frame, 2);
    const int count = byteAt(frame, kWriteHeaderBytes - 1);
    const QByteArray data = frame.mid(kWriteHeaderBytes, count);
    if (area == kItemArea && byteAt(frame, 5) == 0x00) {
        request.kind = SimRequest::WriteItem;
        request.item = reg;
        request.payload = data.endsWith('\0') ? data.chopped(1) : data;
    } else if (area == kClockArea && reg == kClockRegister && byteAt(frame, 5) == 0x03
               && count == kClockFieldBytes) {
        request.kind = SimRequest::SetClock;
        request.payload = data;
    }
    return request;
}
} // namespace

QList<SimRequest> RequestScanner::feed(const QByteArray &bytes, qint64 nowMs)
{
    // Staleness counts from the last byte, so a read that got nothing changes nothing.
    if (bytes.isEmpty())
        return {};
    if (!m_buffer.isEmpty() && nowMs - m_lastFeedMs > kStalePartialMs)
        m_buffer.clear();
    m_lastFeedMs = nowMs;
    m_buffer.append(bytes);

    QList<SimRequest> requests;
    for (;;) {
        int length = 0;
        const Cut cut = cutFrame(&length);
        if (cut == Cut::NeedMore)
            break;
        if (cut == Cut::Garbage) {
            m_buffer.remove(0, 1);
            continue;
        }
        requests.append(classify(m_buffer.left(length)));
        m_buffer.remove(0, length);
    }
    return requests;
}

RequestScanner::Cut RequestScanner::cutFrame(int *length) const
{
    if (m_buffer.isEmpty())
        return Cut::NeedMore;
    const quint8 first = byteAt(m_buffer, 0);
    if (first == kConfigAddress) {
        if (m_buffer.size() < 2)
            return Cut::NeedMore;
        const quint8 function = byteAt(m_buffer, 1);
        if (function == kReadFunction) {
            *length = kReadFrameBytes;
        } else if (function == kWriteFunction) {
            if (m_buffer.size() < kWriteHeaderBytes)
                return Cut::NeedMore;
            *length = kWriteHeaderBytes + byteAt(m_buffer, kWriteHeaderBytes - 1) + kCrcBytes;
        } else {
            return Cut::Garbage;
        }
        if (m_buffer.size() < *length)
            return Cut::NeedMore;
        return checkCrc(m_buffer.left(*length)) ? Cut::Frame : Cut::Garbage;
    }
    if (first == kBootStartByte) {
        if (m_buffer.size() < kFramedHeaderBytes)
            return Cut::NeedMore;
        if (byteAt(m_buffer, 1) != kInstrumentAddress || byteAt(m_buffer, 2) != kPcAddress)
            return Cut::Garbage;
        const int dataBytes = framedDataBytes(wordAt(m_buffer, 3), wordAt(m_buffer, 5));
        if (dataBytes > kMaxFramedDataBytes)
            return Cut::Garbage;
        *length = kFramedOverheadBytes + dataBytes;
        if (m_buffer.size() < *length)
            return Cut::NeedMore;
        return framedFrameChecks(m_buffer.left(*length)) ? Cut::Frame : Cut::Garbage;
    }
    return Cut::Garbage;
}
