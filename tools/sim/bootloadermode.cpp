#include "bootloadermode.h"

#include "bootframe.h"
#include "commandset.h"

#include <QtEndian>

#include <limits>

namespace {
constexpr quint16 kAnswerCommand = 0x0101;
constexpr char kTextMarker = 0x01;
constexpr int kEraseSizeOffset = 3; // after the fixed 91 00 04
constexpr int kEraseDataBytes = kEraseSizeOffset + 4;
constexpr int kPageIndexOffset = 3; // after the fixed 91 04 01
constexpr int kPageDataBytes = kPageIndexOffset + 1 + BootLoaderMode::kPageBytes;
// The boot-loader pads its erase report with status bytes the PC compares as they are.
const QByteArray kEraseReport("Erase OK\r\n\x00\x00\x00\xC1\x81\x40", 16);

// 7E 02 05 01 01, length, 01, text length, text, CRC high first, 7F.
QByteArray textAnswer(const QByteArray &text)
{
    QByteArray data(1, kTextMarker);
    data.append(static_cast<char>(text.size() >> 8)).append(static_cast<char>(text.size() & 0xFF));
    data.append(text);
    return bootFrame(kAnswerCommand, static_cast<quint16>(data.size()), data, kPcAddress,
                     kInstrumentAddress);
}
} // namespace

BootLoaderMode::BootLoaderMode(const QString &model)
    : m_model(model)
{ }

QList<ReplyChunk> BootLoaderMode::answer(const SimRequest &request)
{
    QByteArray single;
    switch (request.kind) {
    case SimRequest::BootIdentify:
        single = textAnswer(
                encodeGb2312(QStringLiteral("NorvoBoot V1.2\r\n!Find %1 OK\r\n").arg(m_model)));
        break;
    case SimRequest::BootErase:
        single = erase(request.payload);
        break;
    case SimRequest::BootPage:
        single = writePage(request.payload);
        break;
    case SimRequest::BootClose:
        ++m_closingRequests;
        break;
    default:
        // Configuration frames and the history request mean nothing to the boot-loader.
        break;
    }
    if (single.isEmpty())
        return {};
    return {ReplyChunk{single, 0}};
}

QByteArray BootLoaderMode::erase(const QByteArray &data)
{
    if (data.size() != kEraseDataBytes)
        return QByteArray();
    const quint32 size = qFromLittleEndian<quint32>(data.constData() + kEraseSizeOffset);
    m_erasedSize = static_cast<int>(qMin<quint32>(size, std::numeric_limits<int>::max()));
    m_pages.clear();
    return textAnswer(kEraseReport);
}

QByteArray BootLoaderMode::writePage(const QByteArray &data)
{
    if (data.size() != kPageDataBytes)
        return QByteArray();
    const int index = static_cast<quint8>(data.at(kPageIndexOffset));
    // Pages land in arrival order; the one-byte index wraps on images above 256 KiB.
    m_pages.append(data.mid(kPageIndexOffset + 1));
    return textAnswer(QStringLiteral("Page[%1] OK\r\n").arg(index).toLatin1());
}
