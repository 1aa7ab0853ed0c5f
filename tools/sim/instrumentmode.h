#ifndef NORVO_INSTRUMENTMODE_H
#define NORVO_INSTRUMENTMODE_H

#include "simrequest.h"

#include <QByteArray>
#include <QList>

// A piece of an answer and the quiet time the line keeps before it.
struct ReplyChunk
{
    QByteArray bytes;
    int gapBeforeMs = 0;
};

// What the instrument does with requests in one of its operating modes.
class InstrumentMode
{
public:
    virtual ~InstrumentMode() = default;

    // The answer to one request; an empty list leaves the line quiet.
    virtual QList<ReplyChunk> answer(const SimRequest &request) = 0;
    // Bytes the instrument sends unasked, polled every few hundred milliseconds.
    virtual QByteArray spontaneousOutput(qint64 uptimeMs) = 0;
};

#endif
