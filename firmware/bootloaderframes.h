#ifndef NORVO_BOOTLOADERFRAMES_H
#define NORVO_BOOTLOADERFRAMES_H

#include <QByteArray>

// The boot-loader takes the image in pages of this many bytes.
constexpr int kBootPageBytes = 1024;

// Requests to the boot-loader and the answers it must give, byte for byte.
QByteArray bootIdentifyRequest();
QByteArray bootEraseRequest(quint32 imageSize);
QByteArray bootEraseAnswer();
// page points to kBootPageBytes image bytes.
QByteArray bootPageRequest(const char *page, quint8 index);
QByteArray bootPageAnswer(quint8 index);
QByteArray bootClosingRequest();
// Every boot-loader answer: 7E 02 05 01 01, length, 01, the text's length, the text, CRC, 7F.
QByteArray bootTextAnswer(const QByteArray &text);
// True when answer is exactly one whole frame from the boot-loader: 7E, a
// length field that covers the rest, a CRC that checks and 7F at the end.
bool bootAnswerComplete(const QByteArray &answer);

#endif
