#ifndef NORVO_FIRMWARECOMMANDS_H
#define NORVO_FIRMWARECOMMANDS_H

#include "clicommand.h"

#include <QCoreApplication>
#include <QList>

class DeviceTypeMgr;

// The firmware commands: verify a package, flash it through the boot-loader,
// list the maker's catalogue and download a package from it, on the update
// dialog's own workers.
class FirmwareCommands
{
    Q_DECLARE_TR_FUNCTIONS(FirmwareCommands)

public:
    QList<CliCommand> commands();

private:
    int packageInfo(const QCommandLineParser &parser, const QString &fileName);
    int flash(const QCommandLineParser &parser, const QString &fileName);
    int catalogue(const QCommandLineParser &parser);
    int download(const QCommandLineParser &parser, const QString &name);
    // Fetches the catalogue into manager; the exit status of the fetch.
    int fetchCatalogue(DeviceTypeMgr &manager);
};

#endif
