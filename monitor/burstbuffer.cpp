#include "burstbuffer.h"

#include <QtGlobal>

namespace {
// Bytes from here up begin a two-byte character in GB2312 and its extensions.
constexpr quint8 kFirstLeadByte = 0x81;

// The longest front of bytes, at most limit long, that ends on a character boundary.
int characterCut(const QByteArray &bytes, int limit)
{
    int at = 0;
    while (at < limit) {
        const int width = static_cast<quint8>(bytes.at(at)) >= kFirstLeadByte ? 2 : 1;
        if (at + width > limit)
            break;
        at += width;
    }
    return at;
}
} // namespace

BurstBuffer::BurstBuffer(int maxBytes, qint64 maxAgeMs)
    : m_maxBytes(qMax(2, maxBytes)) // room for one whole two-byte character
    , m_maxAgeMs(maxAgeMs)
{ }

void BurstBuffer::append(const QByteArray &bytes, qint64 nowMs)
{
    if (m_bytes.isEmpty())
        m_firstByteMs = nowMs;
    m_bytes.append(bytes);
}

QByteArray BurstBuffer::takeDue(qint64 nowMs)
{
    const bool full = m_bytes.size() >= m_maxBytes;
    const bool old = !m_bytes.isEmpty() && nowMs - m_firstByteMs >= m_maxAgeMs;
    if (!full && !old)
        return QByteArray();
    const int cut = characterCut(m_bytes, qMin(m_bytes.size(), m_maxBytes));
    const QByteArray part = m_bytes.left(cut);
    m_bytes.remove(0, cut);
    m_firstByteMs = nowMs;
    return part;
}

QByteArray BurstBuffer::takeAll()
{
    QByteArray all;
    all.swap(m_bytes);
    return all;
}
