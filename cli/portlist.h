#ifndef NORVO_PORTLIST_H
#define NORVO_PORTLIST_H

#include <QCoreApplication>
#include <QList>
#include <QString>

// One port of a batch and the rate to open it at; 0 means the one configured
// (or given with --baud).
struct BatchPort
{
    QString name;
    int baud = 0;
};

// The ports of a batch, from --ports A,B,… and --ports-from FILE.
class PortList
{
    Q_DECLARE_TR_FUNCTIONS(PortList)

public:
    // The ports of the comma list, then those of the file (one a line,
    // optionally followed by its rate; blank lines and lines starting with #
    // are skipped). Returns an error text, empty on success; fileError tells
    // a file that cannot be read from a malformed list.
    static QString parse(const QString &commaList, const QString &fileName, QList<BatchPort> *ports,
                         bool *fileError);
};

#endif
