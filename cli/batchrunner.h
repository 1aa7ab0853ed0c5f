#ifndef NORVO_BATCHRUNNER_H
#define NORVO_BATCHRUNNER_H

#include "clicommand.h"
#include "devicerecord.h"
#include "portlist.h"

#include <QElapsedTimer>
#include <QJsonValue>
#include <QObject>
#include <QProcess>

#include <memory>
#include <vector>

class BatchProgress;

// One command on many ports at once (--ports, --ports-from), with a record
// line per port (--record).
//
// Every port runs in a child process of norvo-cli itself, started all at
// once with --port and --baud for its port, the command and its options as
// given, and the hidden --batch-worker option that makes it answer in one
// JSON object. A process of its own per port rather than a thread: each
// child owns its port and its own settings overrides, shares nothing with
// the others but the read-only input files, and a crash or a hang in one
// cannot touch the others; and every command keeps exactly its single-port
// behaviour, options, refusals and Ctrl-C rules, including options added to
// it later, since the batch only passes them on.
class BatchRunner : public QObject
{
    Q_OBJECT

public:
    static bool isRequested(const QCommandLineParser &parser);

    BatchRunner(const QCommandLineParser &parser, const CliCommand &command,
                const QStringList &arguments, const QString &language);
    ~BatchRunner() override;

    // Checks the port list, the command and the record before anything
    // starts; an exit status and its message, ExitSuccess when all is well.
    int prepare(QString *message);
    // Runs the command on every port and returns the batch's exit status.
    int run();

signals:
    void allFinished();

private:
    struct PortRun
    {
        BatchPort port;
        QProcess process;
        QElapsedTimer clock;
        QByteArray errorBuffer;
        QByteArray output; // the worker's standard output so far
        bool outputTooLong = false;
        QString partialFile; // the worker's -o file when the output goes to a directory
        bool done = false;
        int status = 0;
        QString outcome;
        QString detail;
        QString device;
        QString model;
        QJsonValue result;
        double seconds = 0;
    };

    QStringList workerArguments(const PortRun &run) const;
    QString commandText() const;
    void start(int index);
    void readProgress(int index);
    void readOutput(int index);
    void finished(int index, bool crashed);
    void takeEnvelope(PortRun &run);
    void placeOutputFile(PortRun &run);
    void writeRecord(const PortRun &run);
    void interrupt();
    int report() const;

    const QCommandLineParser &m_parser;
    const CliCommand &m_command;
    QStringList m_arguments;
    QString m_language;
    QString m_outputDirectory; // -o DIR/: one file per port there
    QString m_fileMd5;
    QString m_packageVersion;
    std::unique_ptr<DeviceRecord> m_record;
    bool m_recordFailed = false;
    bool m_interrupted = false;
    std::vector<std::unique_ptr<PortRun>> m_runs;
    std::unique_ptr<BatchProgress> m_progress;
    int m_running = 0;
};

#endif
