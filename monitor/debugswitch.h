#ifndef NORVO_DEBUGSWITCH_H
#define NORVO_DEBUGSWITCH_H

#include "seriallink.h"

#include <QByteArray>
#include <QString>

class QSerialPort;

// The bytes that came back for one debug switch request.
struct DebugSwitchReply
{
    LinkStatus status = LinkOk;
    QByteArray answer; // the answer frame, or everything received when none was found
    QByteArray after;  // what followed the answer in the same reads: the debug output's start
};

// Writes item 255 with text ("1" on, "0" off) and collects the answer. Debug
// output that is still running when the request goes out comes before and
// around the answer, so the answer is looked for among those bytes rather
// than expected to fill them. Give the result's status and answer to linkErrorText.
DebugSwitchReply exchangeDebugSwitch(QSerialPort &port, const QString &text);

// The first data answer FF 03 L … CRC that lies whole within bytes: its offset, or -1.
int findDataAnswer(const QByteArray &bytes, int *length = nullptr);

#endif
