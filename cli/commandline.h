#ifndef NORVO_COMMANDLINE_H
#define NORVO_COMMANDLINE_H

#include "clicommand.h"
#include "detectcommand.h"
#include "firmwarecommands.h"
#include "historycommand.h"
#include "itemcommands.h"
#include "monitorcommand.h"

#include <QCoreApplication>
#include <QList>
#include <QTranslator>

// norvo-cli's command line: the options every command takes, the settings
// file and language they choose, help, and the dispatch to one command.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Parses the arguments (the program's name first), runs the command and
    // returns the exit status.
    int run(const QStringList &arguments);

    // True when the arguments ask for something that paints (a PDF export),
    // which needs the GUI application rather than the core one.
    static bool needsPainting(const QStringList &arguments);

private:
    int parseAndRun(const QStringList &arguments);
    // Every command, its texts in the language installed at the time.
    QList<CliCommand> commands();
    QList<QCommandLineOption> commonOptions() const;
    const CliCommand *find(const QString &name) const;
    // The common options, and those of command, or of every command when it is null.
    void addOptions(QCommandLineParser &parser, const CliCommand *command) const;

    QString chooseLanguage(const QString &requested) const;
    // False when the language's file is missing and the texts stay in Simplified Chinese.
    bool installTranslations(const QString &code);
    // Applies --port and --baud for this run; an error text for a bad value.
    QString overrideSerialSettings(const QCommandLineParser &parser) const;

    QString usage(const CliCommand *command) const;
    QString helpText(const CliCommand *command) const;
    int usageError(const QString &message, const CliCommand *command) const;

    ItemCommands m_items;
    HistoryCommand m_history;
    FirmwareCommands m_firmware;
    MonitorCommand m_monitor;
    DetectCommand m_detect;
    QString m_language; // the one in effect, handed on to a batch's workers
    QList<CliCommand> m_commands;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
};

#endif
