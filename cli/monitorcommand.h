#ifndef NORVO_MONITORCOMMAND_H
#define NORVO_MONITORCOMMAND_H

#include "clicommand.h"

#include <QCoreApplication>

// The monitor command: the bursts the instrument sends, streamed to standard
// output until Ctrl-C or a set duration, with its debug output switched on
// for the run and off again before the program leaves, as the monitor
// dialog's start and stop do.
class MonitorCommand
{
    Q_DECLARE_TR_FUNCTIONS(MonitorCommand)

public:
    CliCommand command();

private:
    int run(const QCommandLineParser &parser);
};

#endif
