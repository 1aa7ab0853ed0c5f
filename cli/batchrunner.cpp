#include "batchrunner.h"

#include "batchchild.h"
#include "batchprogress.h"
#include "console.h"
#include "ddbserver.h"
#include "exitcodes.h"
#include "interruptwatcher.h"
#include "readthread.h"
#include "texttable.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <csignal>

namespace {
const QStringList kBatchCommands{
        QStringLiteral("read"),    QStringLiteral("write"), QStringLiteral("set"),
        QStringLiteral("clock"),   QStringLiteral("flash"), QStringLiteral("diff"),
        QStringLiteral("history"),
};
constexpr char kFlashCommand[] = "flash";
constexpr char kWriteCommand[] = "write";
constexpr char kVerifyOption[] = "verify";
constexpr char kVerifiedKey[] = "verified";
constexpr char kOutputSuffix[] = ".csv";
constexpr int kMaxNamePartChars = 60;
// A worker answers with one JSON object; the largest, a history as JSON, is
// its answer (bounded by the history reader) in a few times the bytes. More
// is a worker gone wrong, not a result, and each port would hold it.
constexpr qint64 kMaxWorkerOutputBytes = 4 * ReadThread::kMaxAnswerBytes;
constexpr int kBytesPerMiB = 1024 * 1024;
// A progress line without an end is taken in parts of about this size
// rather than held on to whole.
constexpr int kMaxProgressLineBytes = 4096;

// What a port's exit status means, as the record (fixed keywords) and the
// results (translated) say it.
struct Outcome
{
    int status;
    const char *keyword;
    const char *text;
};
constexpr Outcome kOutcomes[] = {
        {ExitSuccess, "ok", QT_TRANSLATE_NOOP("BatchRunner", "成功")},
        {ExitDiffers, "differs", QT_TRANSLATE_NOOP("BatchRunner", "与文件不同")},
        {ExitUsage, "usage", QT_TRANSLATE_NOOP("BatchRunner", "用法错误")},
        {ExitFile, "file", QT_TRANSLATE_NOOP("BatchRunner", "文件问题")},
        {ExitLink, "link", QT_TRANSLATE_NOOP("BatchRunner", "连接失败")},
        {ExitRefused, "refused", QT_TRANSLATE_NOOP("BatchRunner", "仪表拒绝")},
        {ExitNetwork, "network", QT_TRANSLATE_NOOP("BatchRunner", "网络失败")},
        {ExitInterrupted, "stopped", QT_TRANSLATE_NOOP("BatchRunner", "已中止")},
};
constexpr Outcome kCrashed{ExitLink, "crashed", QT_TRANSLATE_NOOP("BatchRunner", "异常结束")};

const Outcome &outcomeOf(int status, const QString &keyword)
{
    for (const Outcome &outcome : kOutcomes) {
        if (keyword.isEmpty() ? outcome.status == status
                              : keyword == QLatin1String(outcome.keyword))
            return outcome;
    }
    return kCrashed;
}

QString optionName(const QCommandLineOption &option)
{
    return option.names().constLast();
}

// A port name or a device name as part of a file name: letters, digits and
// "-._" kept, any other run of characters (separators, blanks, controls)
// one "_"; no leading dot, so no hidden file and no "..". A long port name is
// cut at its front: names of one kind of adapter differ at their end (the
// serial number, the hub's port).
enum class CutAt { Front, End };
QString safeNamePart(QString text, CutAt cut)
{
    if (text.startsWith(QLatin1String("/dev/")))
        text = text.mid(5);
    QString part;
    for (const QChar ch : qAsConst(text)) {
        const bool kept = ch.isLetterOrNumber() || ch == QLatin1Char('-') || ch == QLatin1Char('.')
                || ch == QLatin1Char('_');
        if (kept)
            part += ch;
        else if (!part.endsWith(QLatin1Char('_')))
            part += QLatin1Char('_');
    }
    part = cut == CutAt::Front ? part.right(kMaxNamePartChars) : part.left(kMaxNamePartChars);
    static const QString trimmed = QStringLiteral("._");
    while (!part.isEmpty() && trimmed.contains(part.front()))
        part.remove(0, 1);
    while (!part.isEmpty() && trimmed.contains(part.back()))
        part.chop(1);
    return part;
}

QString fileMd5(const QString &fileName)
{
    QFile file(fileName);
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

// "match" or "mismatch" from a "verified" key in the result or its entries.
QString verifiedKey(const QJsonValue &result)
{
    QJsonArray values;
    if (result.isObject())
        values.append(result.toObject().value(QLatin1String(kVerifiedKey)));
    for (const QJsonValue &entry : result.toArray())
        values.append(entry.toObject().value(QLatin1String(kVerifiedKey)));
    QString verdict;
    for (const QJsonValue &value : qAsConst(values)) {
        if (value.isBool() && !value.toBool())
            return QStringLiteral("mismatch");
        if (value.isBool())
            verdict = QStringLiteral("match");
    }
    return verdict;
}
} // namespace

bool BatchRunner::isRequested(const QCommandLineParser &parser)
{
    return parser.isSet(QString::fromLatin1(CommonOption::kPorts))
            || parser.isSet(QString::fromLatin1(CommonOption::kPortsFrom));
}

BatchRunner::BatchRunner(const QCommandLineParser &parser, const CliCommand &command,
                         const QStringList &arguments, const QString &language)
    : m_parser(parser)
    , m_command(command)
    , m_arguments(arguments)
    , m_language(language)
{ }

BatchRunner::~BatchRunner() = default;

int BatchRunner::prepare(QString *message)
{
    if (!kBatchCommands.contains(m_command.name)) {
        *message = tr("%1 不能在多个串口上同时运行").arg(m_command.name);
        return ExitUsage;
    }
    if (m_parser.isSet(QString::fromLatin1(CommonOption::kPort))) {
        *message = tr("--port 不能和 --ports 或 --ports-from 一起使用");
        return ExitUsage;
    }
    QList<BatchPort> ports;
    bool fileError = false;
    *message = PortList::parse(
            m_parser.values(QString::fromLatin1(CommonOption::kPorts)).join(QLatin1Char(',')),
            m_parser.value(QString::fromLatin1(CommonOption::kPortsFrom)), &ports, &fileError);
    if (!message->isEmpty())
        return fileError ? ExitFile : ExitUsage;

    const QString output = m_parser.value(QString::fromLatin1(kOutputOption));
    if (!output.isEmpty()) {
        const bool directory = output.endsWith(QLatin1Char('/'))
                || output.endsWith(QLatin1Char('\\')) || QFileInfo(output).isDir();
        if (!directory && ports.size() > 1) {
            *message = tr("多个串口不能写同一个文件; 用 -o 目录/ 让每个串口各写一个文件");
            return ExitUsage;
        }
        if (directory && !QDir().mkpath(output)) {
            *message = tr("无法创建目录: %1").arg(output);
            return ExitFile;
        }
        if (directory)
            m_outputDirectory = output;
    }
    // The inputs every port shares, for the record: what went onto the units.
    if (m_command.name == QLatin1String(kWriteCommand)
        || m_command.name == QLatin1String(kFlashCommand))
        m_fileMd5 = fileMd5(m_arguments.value(0));
    DEncryptInfo package;
    if (m_command.name == QLatin1String(kFlashCommand)
        && loadPackageForUpdate(m_arguments.value(0), &package).isEmpty())
        m_packageVersion = package.version();

    const QString recordFile = m_parser.value(QString::fromLatin1(CommonOption::kRecord));
    if (!recordFile.isEmpty()) {
        m_record = std::make_unique<DeviceRecord>(recordFile);
        *message = m_record->prepare();
        if (!message->isEmpty())
            return ExitFile;
    }
    for (const BatchPort &port : qAsConst(ports)) {
        auto run = std::make_unique<PortRun>();
        run->port = port;
        // Named after the batch and the port's place in it: two ports whose
        // names differ only in what a file name cannot hold, or two batches
        // writing into one folder, never share one.
        if (!m_outputDirectory.isEmpty())
            run->partialFile = QDir(m_outputDirectory)
                                       .filePath(QStringLiteral(".%1-%2.partial%3")
                                                         .arg(QCoreApplication::applicationPid())
                                                         .arg(m_runs.size())
                                                         .arg(QLatin1String(kOutputSuffix)));
        m_runs.push_back(std::move(run));
    }
    return ExitSuccess;
}

QStringList BatchRunner::workerArguments(const PortRun &run) const
{
    QStringList arguments{QStringLiteral("--") + QLatin1String(BatchChild::kOption),
                          QStringLiteral("--json"), QStringLiteral("--port"), run.port.name};
    int baud = run.port.baud;
    if (baud == 0 && m_parser.isSet(QString::fromLatin1(CommonOption::kBaud)))
        baud = m_parser.value(QString::fromLatin1(CommonOption::kBaud)).toInt();
    if (baud > 0)
        arguments << QStringLiteral("--baud") << QString::number(baud);
    if (m_parser.isSet(QString::fromLatin1(CommonOption::kConfig)))
        arguments << QStringLiteral("--config")
                  << m_parser.value(QString::fromLatin1(CommonOption::kConfig));
    arguments << QStringLiteral("--lang") << m_language;
    if (m_parser.isSet(QString::fromLatin1(CommonOption::kVerbose)))
        arguments << QStringLiteral("--verbose");
    arguments << m_command.name;
    // The command's own options as given, whatever they are: "--name=value"
    // keeps a value starting with "-" a value.
    for (const QCommandLineOption &option : m_command.options) {
        const QString name = optionName(option);
        if (!m_parser.isSet(name))
            continue;
        if (option.valueName().isEmpty()) {
            arguments << QStringLiteral("--") + name;
            continue;
        }
        for (QString value : m_parser.values(name)) {
            if (name == QLatin1String(kOutputOption) && !run.partialFile.isEmpty())
                value = run.partialFile;
            arguments << QStringLiteral("--%1=%2").arg(name, value);
        }
    }
    return arguments << QStringLiteral("--") << m_arguments;
}

QString BatchRunner::commandText() const
{
    QStringList parts{m_command.name};
    parts += m_arguments;
    for (const QCommandLineOption &option : m_command.options) {
        const QString name = optionName(option);
        if (m_parser.isSet(name) && option.valueName().isEmpty())
            parts << QStringLiteral("--") + name;
        for (const QString &value : m_parser.values(name))
            parts << QStringLiteral("--%1=%2").arg(name, value);
    }
    return parts.join(QLatin1Char(' '));
}

int BatchRunner::run()
{
    QStringList names;
    for (const auto &run : m_runs)
        names << run->port.name;
    m_progress = std::make_unique<BatchProgress>(names);
    // The workers hear Ctrl-C from the terminal themselves; a SIGTERM or
    // SIGHUP sent to the batch alone is passed on to them.
    InterruptWatcher interrupts;
    connect(&interrupts, &InterruptWatcher::interrupted, this, &BatchRunner::interrupt);
    QEventLoop loop;
    connect(this, &BatchRunner::allFinished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    for (int index = 0; index < static_cast<int>(m_runs.size()); ++index)
        start(index);
    // A port that fails to start ends at once, which may queue the end of
    // the batch while later ports still run: only the count says when it is over.
    while (m_running > 0)
        loop.exec();
    m_progress->finish();
    return report();
}

void BatchRunner::start(int index)
{
    PortRun &run = *m_runs.at(index);
    connect(&run.process, &QProcess::readyReadStandardError, this,
            [this, index] { readProgress(index); });
    connect(&run.process, &QProcess::readyReadStandardOutput, this,
            [this, index] { readOutput(index); });
    connect(&run.process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this, index](int, QProcess::ExitStatus status) {
                finished(index, status == QProcess::CrashExit);
            });
    connect(&run.process, &QProcess::errorOccurred, this,
            [this, index](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart)
                    finished(index, true);
            });
    ++m_running;
    run.clock.start();
    run.process.start(QCoreApplication::applicationFilePath(), workerArguments(run));
    run.process.closeWriteChannel();
}

void BatchRunner::readProgress(int index)
{
    PortRun &run = *m_runs.at(index);
    run.errorBuffer += run.process.readAllStandardError();
    const QString prefix = QCoreApplication::applicationName() + QStringLiteral(": ");
    int end = 0;
    while ((end = run.errorBuffer.indexOf('\n')) >= 0) {
        QString line = QString::fromLocal8Bit(run.errorBuffer.left(end)).trimmed();
        run.errorBuffer.remove(0, end + 1);
        if (line.startsWith(prefix))
            line = line.mid(prefix.size());
        m_progress->setState(index, line);
        if (!line.isEmpty())
            run.detail = line;
    }
    if (run.errorBuffer.size() > kMaxProgressLineBytes) {
        run.errorBuffer.append('\n');
        readProgress(index);
    }
}

void BatchRunner::readOutput(int index)
{
    PortRun &run = *m_runs.at(index);
    const QByteArray bytes = run.process.readAllStandardOutput();
    if (run.outputTooLong)
        return;
    if (run.output.size() + bytes.size() > kMaxWorkerOutputBytes) {
        run.outputTooLong = true;
        run.output.clear();
        run.process.kill();
        return;
    }
    run.output += bytes;
}

void BatchRunner::finished(int index, bool crashed)
{
    PortRun &run = *m_runs.at(index);
    if (run.done)
        return;
    run.done = true;
    run.seconds = run.clock.elapsed() / 1000.0;
    readProgress(index);
    readOutput(index);
    const int code = run.process.exitCode();
    // A worker ended by a signal was stopped, by Ctrl-C or by the batch.
    bool stopped = code == ExitInterrupted;
    if (run.outputTooLong) {
        run.status = ExitFile;
        run.outcome = QLatin1String(outcomeOf(ExitFile, {}).keyword);
        run.detail = tr("工作进程的输出超过 %1 MiB, 已被结束")
                             .arg(kMaxWorkerOutputBytes / kBytesPerMiB);
    } else if (crashed) {
        stopped = m_interrupted || code == SIGINT || code == SIGTERM;
#ifdef SIGHUP
        stopped = stopped || code == SIGHUP;
#endif
        run.status = stopped ? ExitInterrupted : kCrashed.status;
        run.outcome = QLatin1String(stopped ? outcomeOf(ExitInterrupted, {}).keyword
                                            : kCrashed.keyword);
        if (run.process.error() == QProcess::FailedToStart || !stopped)
            run.detail = run.process.errorString();
    } else {
        run.status = code;
        takeEnvelope(run);
        if (run.status == ExitSuccess)
            placeOutputFile(run);
        run.outcome = QLatin1String(outcomeOf(run.status, {}).keyword);
    }
    if (!run.partialFile.isEmpty())
        QFile::remove(run.partialFile);
    m_progress->setState(index,
                         tr("%1 (%2 秒)")
                                 .arg(tr(outcomeOf(run.status, run.outcome).text))
                                 .arg(run.seconds, 0, 'f', 1));
    writeRecord(run);
    if (--m_running == 0)
        emit allFinished();
}

void BatchRunner::takeEnvelope(PortRun &run)
{
    const QList<QByteArray> lines = run.output.trimmed().split('\n');
    const QJsonObject envelope = QJsonDocument::fromJson(lines.constLast()).object();
    if (envelope.isEmpty())
        return; // refused before the command ran (a bad option): the error line says why
    // Notes on standard error (a clock value left out) are no result.
    run.detail.clear();
    run.result = envelope.value(QLatin1String("result"));
    run.device = envelope.value(QLatin1String("device")).toString();
    run.model = envelope.value(QLatin1String("model")).toString();
    run.detail = envelope.value(QLatin1String("error")).toString();
    if (!run.detail.isEmpty())
        return;
    // Otherwise the result says what was done: the time or value set, the
    // version flashed, the items and how many were not taken.
    const QJsonObject object = run.result.toObject();
    for (const char *key : {"time", "value", "version"}) {
        if (object.contains(QLatin1String(key)))
            run.detail = object.value(QLatin1String(key)).toVariant().toString();
    }
    const QJsonArray items = run.result.toArray();
    if (items.isEmpty())
        return;
    const auto refused = std::count_if(items.begin(), items.end(), [](const QJsonValue &item) {
        return item.toObject().value(QLatin1String("taken")) == QJsonValue(false);
    });
    run.detail = refused > 0 ? tr("%1 项, 未采用 %2 项").arg(items.size()).arg(refused)
                             : tr("%1 项").arg(items.size());
}

void BatchRunner::placeOutputFile(PortRun &run)
{
    if (run.partialFile.isEmpty())
        return;
    QString name = safeNamePart(run.port.name, CutAt::Front);
    const QString device = safeNamePart(run.device, CutAt::End);
    if (!device.isEmpty())
        name += QLatin1Char('_') + device;
    const QString target = QDir(m_outputDirectory).filePath(name + QLatin1String(kOutputSuffix));
    // The worker's file is whole already; only the name changes.
    QFile::remove(target);
    if (!QFile::rename(run.partialFile, target)) {
        run.status = ExitFile;
        run.detail = tr("无法把 %1 改名为 %2").arg(run.partialFile, target);
        return;
    }
    run.detail = target;
}

void BatchRunner::writeRecord(const PortRun &run)
{
    if (!m_record)
        return;
    DeviceRecordLine line;
    line.time = QDateTime::currentDateTimeUtc();
    line.port = run.port.name;
    line.device = run.device;
    line.model = run.model;
    line.command = commandText();
    line.outcome = run.outcome;
    line.status = run.status;
    line.detail = run.detail;
    if (m_command.name == QLatin1String(kFlashCommand)) {
        line.packageVersion = m_packageVersion;
        line.packageMd5 = m_fileMd5;
    } else if (m_command.name == QLatin1String(kWriteCommand)) {
        line.fileMd5 = m_fileMd5;
    }
    if (m_parser.optionNames().contains(QLatin1String(kVerifyOption))) {
        line.verify = verifiedKey(run.result);
        if (line.verify.isEmpty() && run.status == ExitSuccess)
            line.verify = QStringLiteral("match");
    }
    // A trace that silently misses a unit is worse than none: said at once.
    const QString error = m_record->append(line);
    if (!error.isEmpty()) {
        Console::error(error);
        m_recordFailed = true;
    }
}

void BatchRunner::interrupt()
{
    m_interrupted = true;
    for (const auto &run : m_runs) {
        if (!run->done)
            run->process.terminate();
    }
}

int BatchRunner::report() const
{
    const bool json = wantsJson(m_parser);
    TextTable table;
    int status = ExitSuccess;
    int succeeded = 0;
    QStringList failed;
    for (const auto &run : m_runs) {
        const QString outcome = tr(outcomeOf(run->status, run->outcome).text);
        const QString seconds = QString::number(run->seconds, 'f', 1);
        status = qMax(status, run->status);
        if (run->status == ExitSuccess)
            ++succeeded;
        else
            failed << QStringLiteral("%1 (%2)").arg(run->port.name, outcome);
        if (!json) {
            table.addRow(
                    {run->port.name, run->device, outcome, run->detail, tr("%1 秒").arg(seconds)});
            continue;
        }
        const QJsonObject object{
                {QStringLiteral("port"), run->port.name},
                {QStringLiteral("device"), run->device},
                {QStringLiteral("model"), run->model},
                {QStringLiteral("outcome"), run->outcome},
                {QStringLiteral("status"), run->status},
                {QStringLiteral("detail"), run->detail},
                {QStringLiteral("seconds"), run->seconds},
                {QStringLiteral("result"), run->result},
        };
        Console::printBytes(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    }
    if (!json)
        Console::print(table.toString());
    const int total = static_cast<int>(m_runs.size());
    if (failed.isEmpty())
        Console::note(tr("%1 个串口全部成功").arg(total) + QLatin1Char('\n'));
    else
        Console::note(tr("%1 个串口中 %2 个成功; 失败: %3")
                              .arg(total)
                              .arg(succeeded)
                              .arg(failed.join(QStringLiteral(", ")))
                      + QLatin1Char('\n'));
    return m_recordFailed ? qMax(status, int(ExitFile)) : status;
}
