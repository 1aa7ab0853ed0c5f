#ifndef NORVO_BOOTFRAME_H
#define NORVO_BOOTFRAME_H

#include <QByteArray>

constexpr quint8 kBootStartByte = 0x7E;
constexpr quint8 kBootEndByte = 0x7F;
constexpr quint8 kInstrumentAddress = 0x05;
constexpr quint8 kPcAddress = 0x02;

// 7E, destination, source, command (big-endian), length field (big-endian),
// data, CRC-16 of all of it high byte first, 7F. The length field is sent as
// given: some commands carry a fixed value that differs from the data size.
QByteArray bootFrame(quint16 command, quint16 lengthField, const QByteArray &data,
                     quint8 destination = kInstrumentAddress, quint8 source = kPcAddress);

#endif
