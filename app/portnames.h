#ifndef NORVO_PORTNAMES_H
#define NORVO_PORTNAMES_H

#include <QString>
#include <QStringList>

// Order of serial port names in the setup list: shorter names first, so COM2
// comes before COM10 and ttyUSB2 before ttyUSB10; equal lengths compare as text.
bool portNameLess(const QString &a, const QString &b);

// Names of the serial ports the machine offers right now.
QStringList availablePortNames();

// Entries of the port list: the available names plus the stored one (so a
// stored port stays selectable while it is unplugged), sorted with
// portNameLess, without duplicates or empty names. When nothing is left the
// list holds one empty entry.
QStringList portChoices(const QStringList &availableNames, const QString &storedName);

#endif
