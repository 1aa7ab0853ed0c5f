#ifndef NORVO_DETECTCOMMAND_H
#define NORVO_DETECTCOMMAND_H

#include "clicommand.h"

#include <QCoreApplication>

// norvo-cli detect: asks every port the system lists, and those given with
// --port, for the instrument's first item at the usual rates (or the one
// --baud names), as the setup dialog's 自动检测 does.
class DetectCommand
{
    Q_DECLARE_TR_FUNCTIONS(DetectCommand)

public:
    CliCommand command();

private:
    int run(const QCommandLineParser &parser);
};

#endif
