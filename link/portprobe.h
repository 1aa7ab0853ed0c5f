#ifndef NORVO_PORTPROBE_H
#define NORVO_PORTPROBE_H

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <atomic>

// What probing one port found: the rate an instrument answered at and the
// text of its first item, or why the port did not open.
struct PortProbeResult
{
    QString port;
    qint32 baudRate = 0; // 0: nothing answered
    QString device;      // the value of item 0, the device name
    QString error;       // why the port did not open or went away; empty otherwise

    bool found() const { return baudRate > 0; }
};
Q_DECLARE_METATYPE(PortProbeResult)

// The rates the setup dialog offers, in its order.
const QList<qint32> &baudRateChoices();
// The same rates, the most common first: the order a search tries them in.
const QList<qint32> &probeBaudRates();

// Time the line needs for byteCount bytes at baudRate, rounded up.
int lineTimeMs(int byteCount, qint32 baudRate);

// Asks item 0 on the port at each rate in turn until a well-formed data answer
// comes back. Nothing but that read request is sent. Each attempt waits for
// the request and an answer byte to cross the line plus kProbeReplyMarginMs,
// and for every further byte its line time plus that margin, so a silent port
// costs little at each rate. stop ends the search within kLostPortCheckMs.
PortProbeResult probePort(const QString &port, const QList<qint32> &rates,
                          const std::atomic<bool> &stop);
// How long an instrument may take to begin its answer, and may pause within it.
constexpr int kProbeReplyMarginMs = 200;

// The ports a search tries: those the system lists and the extra ones given,
// in list order without duplicates or empty names.
QStringList probeCandidates(const QStringList &listed, const QStringList &extra);

#endif
