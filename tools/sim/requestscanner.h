#ifndef NORVO_REQUESTSCANNER_H
#define NORVO_REQUESTSCANNER_H

#include "simrequest.h"

#include <QByteArray>
#include <QList>

// Cuts request frames out of the byte stream from the line, however it was split into reads.
class RequestScanner
{
public:
    // A partial frame that saw no new byte for this long is dropped as line noise.
    static constexpr qint64 kStalePartialMs = 1000;

    // Adds bytes read at nowMs and returns every request completed by them, in order.
    QList<SimRequest> feed(const QByteArray &bytes, qint64 nowMs);

private:
    enum class Cut { NeedMore, Garbage, Frame };
    Cut cutFrame(int *length) const;

    QByteArray m_buffer;
    qint64 m_lastFeedMs = 0;
};

#endif
