#ifndef NORVO_BURSTBUFFER_H
#define NORVO_BURSTBUFFER_H

#include <QByteArray>

// The burst being received, handed out in parts once it grows too large or too old,
// so that an instrument that never pauses is still shown as it talks.
class BurstBuffer
{
public:
    BurstBuffer(int maxBytes, qint64 maxAgeMs);

    // Adds bytes received at nowMs; the burst's age counts from its first byte.
    void append(const QByteArray &bytes, qint64 nowMs);
    bool isEmpty() const { return m_bytes.isEmpty(); }

    // The front of the burst once it has reached the size or the age limit,
    // otherwise nothing. A part never ends between the two bytes of a GB2312
    // character; a lead byte left over starts the next part, aged from nowMs.
    QByteArray takeDue(qint64 nowMs);
    // The whole burst, when the line has gone quiet or listening stops.
    QByteArray takeAll();

private:
    int m_maxBytes;
    qint64 m_maxAgeMs;
    QByteArray m_bytes;
    qint64 m_firstByteMs = 0;
};

#endif
