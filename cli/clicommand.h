#ifndef NORVO_CLICOMMAND_H
#define NORVO_CLICOMMAND_H

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Names of the options every command takes.
namespace CommonOption {
constexpr char kPort[] = "port";
constexpr char kBaud[] = "baud";
constexpr char kConfig[] = "config";
constexpr char kJson[] = "json";
constexpr char kLanguage[] = "lang";
constexpr char kVerbose[] = "verbose";
constexpr char kPorts[] = "ports";
constexpr char kPortsFrom[] = "ports-from";
constexpr char kRecord[] = "record";
} // namespace CommonOption

// The file option (-o) of the commands that save what they read.
constexpr char kOutputOption[] = "output";

inline bool wantsJson(const QCommandLineParser &parser)
{
    return parser.isSet(QString::fromLatin1(CommonOption::kJson));
}

// One command of norvo-cli: how it is called, what it does, and what runs it
// once the command line has been parsed. run returns the exit status.
struct CliCommand
{
    using Run = std::function<int(const QCommandLineParser &parser, const QStringList &arguments)>;

    QString name;
    QString arguments; // how its arguments are written, e.g. "N [VALUE]"
    QString summary;   // one line for the command list
    QList<QCommandLineOption> options;
    int minArguments = 0;
    int maxArguments = 0;
    Run run;
};

#endif
