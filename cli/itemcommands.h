#ifndef NORVO_ITEMCOMMANDS_H
#define NORVO_ITEMCOMMANDS_H

#include "clicommand.h"

#include <QCoreApplication>
#include <QList>

// The commands on the instrument's configuration: ports, read, write, set and
// clock. Each calls the same core operations as the main window.
class ItemCommands
{
    Q_DECLARE_TR_FUNCTIONS(ItemCommands)

public:
    QList<CliCommand> commands();

private:
    int listPorts(const QCommandLineParser &parser);
    int read(const QCommandLineParser &parser);
    int write(const QCommandLineParser &parser, const QString &fileName);
    int set(const QCommandLineParser &parser, const QStringList &arguments);
    int setClock(const QCommandLineParser &parser);
};

#endif
