#ifndef NORVO_HISTORYREQUEST_H
#define NORVO_HISTORYREQUEST_H

#include <QByteArray>
#include <QDate>

// The 19-byte framed request for the history records of the days first to
// last, both included. The dates are sent as they are: the caller checks their order.
QByteArray makeHistoryRequest(const QDate &first, const QDate &last);

#endif
