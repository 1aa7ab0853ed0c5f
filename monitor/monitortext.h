#ifndef NORVO_MONITORTEXT_H
#define NORVO_MONITORTEXT_H

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The three ways the monitor shows a burst.
enum class MonitorView {
    Original,    // the decoded text as it came, no header
    Hex,         // header and hexadecimal bytes, one line per burst
    OriginalHex, // header, the text on one line and the hexadecimal bytes
};

// "[yyyy-MM-dd hh:mm:ss.zzz][count] : " for a burst of byteCount bytes.
QString recvHeader(int byteCount, const QDateTime &received = QDateTime::currentDateTime());

// Upper-case hexadecimal, every byte followed by one space.
QString hexSpaced(const QByteArray &bytes);

// The GB2312 text trimmed, with the line breaks left inside turned into spaces.
QString decodeOneLine(const QByteArray &bytes);

// What one burst adds to the view; empty for an empty burst.
QString burstDisplayText(MonitorView view, const QByteArray &bytes,
                         const QDateTime &received = QDateTime::currentDateTime());

#endif
