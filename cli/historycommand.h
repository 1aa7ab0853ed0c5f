#ifndef NORVO_HISTORYCOMMAND_H
#define NORVO_HISTORYCOMMAND_H

#include "clicommand.h"

#include <QCoreApplication>

// The history command: the records of a range of days, printed as they
// arrive or exported as the history dialog exports them.
class HistoryCommand
{
    Q_DECLARE_TR_FUNCTIONS(HistoryCommand)

public:
    CliCommand command();

    // True when the command line asks for a PDF export, which paints and so
    // needs the GUI application.
    static bool exportsPdf(const QString &outputFile);

private:
    int run(const QCommandLineParser &parser);
};

#endif
