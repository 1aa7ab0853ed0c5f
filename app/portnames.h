#ifndef NORVO_PORTNAMES_H
#define NORVO_PORTNAMES_H

#include <QList>
#include <QString>
#include <QStringList>

// Order of serial port names in the setup list: shorter names first, so COM2
// comes before COM10 and ttyUSB2 before ttyUSB10; equal lengths compare as text.
bool portNameLess(const QString &a, const QString &b);

// A serial port the machine offers: its name and what the system says it is.
struct PortDescription
{
    QString name;
    QString description; // e.g. "USB-Serial Controller (067b:2303)"; may be empty
};

// The serial ports the machine offers right now.
QList<PortDescription> availablePorts();
QStringList availablePortNames();

// Entries of the port list: the available names plus the stored one (so a
// stored port stays selectable while it is unplugged), sorted with
// portNameLess, without duplicates or empty names. When nothing is left the
// list holds one empty entry.
QStringList portChoices(const QStringList &availableNames, const QString &storedName);

#endif
