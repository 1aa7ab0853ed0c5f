#include "instrumentsimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

bool placeLink(const QString &linkPath, const QString &target, QString *error)
{
    const QByteArray link = QFile::encodeName(linkPath);
    // A link left behind by a run that was killed is replaced; anything else is kept.
    if (QFileInfo(linkPath).isSymLink()) {
        unlink(link.constData());
    } else if (QFileInfo::exists(linkPath)) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
        return false;
    }
    if (symlink(QFile::encodeName(target).constData(), link.constData()) != 0) {
        *error = QStringLiteral("cannot create %1: %2")
                         .arg(linkPath, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    return true;
}

void removeLink(const QString &linkPath, const QString &target)
{
    if (QFileInfo(linkPath).isSymLink() && QFileInfo(linkPath).symLinkTarget() == target)
        unlink(QFile::encodeName(linkPath).constData());
}

int nonNegativeOption(const QCommandLineParser &parser, const QString &name, int fallback, bool *ok)
{
    if (!parser.isSet(name))
        return fallback;
    const int value = parser.value(name).toInt(ok);
    *ok = *ok && value >= 0;
    return value;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("norvo-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Simulated instrument on a pseudo terminal. Prints the port path "
                           "as the first line and serves until interrupted."));
    parser.addHelpOption();
    parser.addOptions({
            {QStringLiteral("link"), QStringLiteral("Symbolic link to the port, removed on exit."),
             QStringLiteral("path")},
            {QStringLiteral("items"),
             QStringLiteral("Item file to serve instead of the built-in items."),
             QStringLiteral("file")},
            {QStringLiteral("baud"),
             QStringLiteral("Line speed that paces the output (default 115200)."),
             QStringLiteral("rate")},
            {QStringLiteral("boot-loader"),
             QStringLiteral("Start in the boot-loader, reporting this model."),
             QStringLiteral("model")},
            {QStringLiteral("latency"), QStringLiteral("Delay before each answer (default 5)."),
             QStringLiteral("ms")},
            {QStringLiteral("records-per-day"),
             QStringLiteral("History records each day holds, 0 to 86400 (default 4)."),
             QStringLiteral("n")},
            {QStringLiteral("boot-fault"),
             QStringLiteral("Make the boot-loader misbehave (repeatable): silent-id, "
                            "erase-wrong|silent|corrupt, page-wrong|silent|corrupt:K, "
                            "answer-closing."),
             QStringLiteral("fault")},
            {QStringLiteral("debug-period"),
             QStringLiteral("Time between debug lines while debug output is on (default 200)."),
             QStringLiteral("ms")},
            {QStringLiteral("debug-flood"),
             QStringLiteral("Send debug lines without pause while debug output is on.")},
            {QStringLiteral("forget-writes"),
             QStringLiteral("Echo writes to this item as taken but keep its old value "
                            "(repeatable)."),
             QStringLiteral("item")},
    });
    parser.process(app);

    bool baudOk = true;
    bool latencyOk = true;
    const int baudRate = nonNegativeOption(parser, QStringLiteral("baud"),
                                           InstrumentSimulator::kDefaultBaudRate, &baudOk);
    const int latencyMs = nonNegativeOption(parser, QStringLiteral("latency"),
                                            InstrumentSimulator::kDefaultLatencyMs, &latencyOk);
    if (!baudOk || baudRate == 0 || !latencyOk) {
        fprintf(stderr, "norvo-sim: --baud needs a positive and --latency a non-negative number\n");
        return kExitUsage;
    }
    bool periodOk = true;
    const int debugPeriodMs
            = nonNegativeOption(parser, QStringLiteral("debug-period"),
                                InstrumentSimulator::kDefaultDebugLinePeriodMs, &periodOk);
    if (!periodOk || debugPeriodMs == 0) {
        fprintf(stderr, "norvo-sim: --debug-period needs a positive number\n");
        return kExitUsage;
    }
    bool recordsOk = true;
    const int recordsPerDay
            = nonNegativeOption(parser, QStringLiteral("records-per-day"),
                                ConfigurationMode::kDefaultHistoryRecordsPerDay, &recordsOk);
    if (!recordsOk || recordsPerDay > ConfigurationMode::kMaxHistoryRecordsPerDay) {
        fprintf(stderr, "norvo-sim: --records-per-day needs a number from 0 to %d\n",
                ConfigurationMode::kMaxHistoryRecordsPerDay);
        return kExitUsage;
    }

    InstrumentSimulator simulator;
    simulator.setBaudRate(baudRate);
    // Like an instrument, it hears only requests sent at its own rate, so a
    // wrong rate in the assistant fails and a search finds the right one.
    simulator.setCheckLineSpeed(true);
    simulator.setLatencyMs(latencyMs);
    simulator.setHistoryRecordsPerDay(recordsPerDay);
    simulator.setDebugLinePeriodMs(debugPeriodMs);
    simulator.setDebugFlood(parser.isSet(QStringLiteral("debug-flood")));
    // Every request handled goes to the log, so a session can be followed afterwards.
    simulator.setRequestObserver([](const QByteArray &frame) {
        fprintf(stderr, "norvo-sim: request %s\n", frame.toHex(' ').toUpper().constData());
    });
    QString error;
    if (parser.isSet(QStringLiteral("items"))
        && !simulator.loadItems(parser.value(QStringLiteral("items")), &error)) {
        fprintf(stderr, "norvo-sim: %s\n", qPrintable(error));
        return kExitUsage;
    }
    if (parser.isSet(QStringLiteral("boot-loader")))
        simulator.enterBootLoader(parser.value(QStringLiteral("boot-loader")));
    BootLoaderFaults bootFaults;
    for (const QString &fault : parser.values(QStringLiteral("boot-fault"))) {
        if (!bootFaults.add(fault, &error)) {
            fprintf(stderr, "norvo-sim: %s\n", qPrintable(error));
            return kExitUsage;
        }
    }
    simulator.setBootLoaderFaults(bootFaults);
    for (const QString &item : parser.values(QStringLiteral("forget-writes"))) {
        bool itemOk = false;
        const int number = item.toInt(&itemOk);
        if (!itemOk || number < 0) {
            fprintf(stderr, "norvo-sim: --forget-writes needs an item number\n");
            return kExitUsage;
        }
        simulator.faults().forgetWrites(FaultPlan::kEveryTime, number);
    }

    // Blocked before the serving thread starts, so only signalfd ever sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (signalFd < 0) {
        perror("norvo-sim: signalfd");
        return kExitFailure;
    }

    if (!simulator.start(&error)) {
        fprintf(stderr, "norvo-sim: %s\n", qPrintable(error));
        return kExitFailure;
    }
    const QString port = simulator.portName();
    const QString linkPath = parser.value(QStringLiteral("link"));
    if (!linkPath.isEmpty() && !placeLink(linkPath, port, &error)) {
        fprintf(stderr, "norvo-sim: %s\n", qPrintable(error));
        return kExitFailure;
    }
    printf("%s\n", qPrintable(port));
    fflush(stdout);
    fprintf(stderr, "norvo-sim: serving %d items at %d baud on %s\n", simulator.items().count(),
            baudRate, qPrintable(linkPath.isEmpty() ? port : linkPath));

    signalfd_siginfo received{};
    while (read(signalFd, &received, sizeof received) < 0 && errno == EINTR) { }
    close(signalFd);

    simulator.stop();
    if (!linkPath.isEmpty())
        removeLink(linkPath, port);
    return 0;
}
