#ifndef NORVO_HISTORYEXPORT_H
#define NORVO_HISTORYEXPORT_H

#include <QString>

// Both exports write into a temporary file beside the chosen one, which takes
// the chosen name only once every byte is written: a failed export leaves an
// older file of that name as it was and nothing half-written behind.

// Saves the history text unchanged, in the system locale's encoding and with
// the platform's line ends. Returns the translated error, empty on success.
QString exportHistoryCsv(const QString &fileName, const QString &text);

// The texts every export failure of the history dialog shows.
QString exportErrorTitle();
QString exportOpenErrorText(const QString &fileName);
QString exportWriteErrorText(const QString &fileName);

#endif
