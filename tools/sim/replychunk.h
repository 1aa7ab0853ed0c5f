#ifndef NORVO_REPLYCHUNK_H
#define NORVO_REPLYCHUNK_H

#include <QByteArray>

// A piece of an answer and the quiet time the line keeps before it.
struct ReplyChunk
{
    QByteArray bytes;
    int gapBeforeMs = 0;
};

#endif
