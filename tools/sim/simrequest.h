#ifndef NORVO_SIMREQUEST_H
#define NORVO_SIMREQUEST_H

#include <QByteArray>

// One complete request frame with a good CRC, as taken off the line.
struct SimRequest
{
    enum Kind {
        ReadItem,
        WriteItem,
        SetClock,
        History,
        BootIdentify,
        BootErase,
        BootPage,
        BootClose,
        Unknown, // a good CRC but a layout or command nobody answers
    };

    Kind kind = Unknown;
    int item = -1;      // item number of read and write requests, -1 otherwise
    QByteArray frame;   // every byte of the request, CRC included
    QByteArray payload; // write text without its zero, clock fields, history dates
};

#endif
