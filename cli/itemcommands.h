#ifndef NORVO_ITEMCOMMANDS_H
#define NORVO_ITEMCOMMANDS_H

#include "clicommand.h"
#include "itemwritethread.h"

#include <QCoreApplication>
#include <QList>

// The commands on the instrument's configuration: ports, read, diff, write,
// set and clock. Each calls the same core operations as the main window.
class ItemCommands
{
    Q_DECLARE_TR_FUNCTIONS(ItemCommands)

public:
    QList<CliCommand> commands();

private:
    int listPorts(const QCommandLineParser &parser);
    int read(const QCommandLineParser &parser);
    int diff(const QCommandLineParser &parser, const QString &fileName);
    int write(const QCommandLineParser &parser, const QString &fileName);
    // Writes the steps, prints each echo and, with --verify, reads them back.
    int writeSteps(const QCommandLineParser &parser, const QVector<ItemWriteThread::Step> &steps);
    int set(const QCommandLineParser &parser, const QStringList &arguments);
    int setClock(const QCommandLineParser &parser);
};

#endif
