#ifndef NORVO_ITEMREADER_H
#define NORVO_ITEMREADER_H

#include <QString>
#include <QStringList>

class QSerialPort;

// Reads one item over an open port. Returns the translated error text, empty
// on success; fields then receive the item's name and value, or stay empty
// when the instrument has no such item (the empty answer that ends the list).
QString readItem(QSerialPort &port, int item, QStringList *fields);

// Opens the configured port for item requests; the translated error text,
// empty on success.
QString openItemPort(QSerialPort &port);

// The same over the configured port, opened for this one request.
QString readItemFromDevice(int item, QStringList *fields);

#endif
