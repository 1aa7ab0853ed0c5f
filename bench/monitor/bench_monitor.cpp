// Floods the monitor dialog with debug output from the simulated instrument,
// once per baud rate, and prints what it kept up with:
//
//   bench_monitor [--seconds 30] [--view raw|hex|both] [--lines N] [--baud 115200,921600]
//
// Bytes shown must equal bytes sent; the stall is the longest gap of a 5 ms
// timer on the GUI thread while the flood runs; CPU time leaves out the
// simulator's own thread; memory is sampled every five seconds.
#include "config.h"
#include "guiresources.h"
#include "instrumentsimulator.h"
#include "monitordialog.h"
#include "settingskeys.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

namespace {
constexpr int kTickMs = 5;
constexpr int kSampleMs = 5000;
constexpr int kDrainTimeoutMs = 20000;
constexpr int kSettleMs = 300;
constexpr double kMiB = 1024.0 * 1024.0;

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU time of the thread with the given name, from /proc (clock ticks).
double threadCpuSeconds(const QByteArray &name)
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name)
            continue;
        QFile stat(tasks.filePath(tid + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        const double ticks = sysconf(_SC_CLK_TCK);
        return (fields.at(11).toLongLong() + fields.at(12).toLongLong()) / ticks;
    }
    return 0;
}

double guiThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE) / kMiB;
}

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void floodOnce(int baudRate, int seconds, const QString &view)
{
    InstrumentSimulator sim;
    sim.setBaudRate(baudRate);
    sim.setDebugFlood(true);
    QString error;
    if (!sim.start(&error)) {
        fprintf(stderr, "bench_monitor: %s\n", qPrintable(error));
        return;
    }
    Config *config = singleton<Config>::instance();
    config->setValue(SettingsKeys::kSerialPort, sim.portName());
    config->setValue(SettingsKeys::kSerialBaudRate, baudRate);

    MonitorDialog dialog;
    dialog.show();
    dialog.findChild<QRadioButton *>(view)->setChecked(true);
    const QTextDocument *document = dialog.findChild<QPlainTextEdit *>()->document();
    qint64 shown = 0;
    QObject::connect(&dialog.monitorThread(), &MonitorThread::signalDataRecv, &dialog,
                     [&shown](const QByteArray &burst) { shown += burst.size(); });

    // A gap between ticks is either work on the GUI thread or time the
    // machine gave to other processes; the thread's own CPU time tells which.
    qint64 longestStallMs = 0;
    double longestBusyMs = 0;
    int stallsOver50Ms = 0;
    QElapsedTimer sinceTick;
    double cpuAtTick = guiThreadCpuMs();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 stallMs = sinceTick.restart() - kTickMs;
        const double cpuNow = guiThreadCpuMs();
        longestStallMs = qMax(longestStallMs, stallMs);
        longestBusyMs = qMax(longestBusyMs, cpuNow - cpuAtTick);
        stallsOver50Ms += stallMs > 50 ? 1 : 0;
        cpuAtTick = cpuNow;
    });

    const double cpuBefore = processCpuSeconds() - threadCpuSeconds("norvo-sim");
    emit dialog.findChild<QPushButton *>(QStringLiteral("bntStart"))->pressed();
    runFor(kSampleMs / 5); // past the debug switch
    const qint64 sentAtStart = sim.debugBytesSent();
    sinceTick.start();
    cpuAtTick = guiThreadCpuMs();
    ticker.start(kTickMs);
    printf("%7d baud, %s view, %d s:\n", baudRate, qPrintable(view), seconds);
    for (int elapsed = 0; elapsed < seconds * 1000; elapsed += kSampleMs) {
        runFor(qMin(kSampleMs, seconds * 1000 - elapsed));
        printf("  %3d s: %9lld bytes shown, %6d lines in view, resident %7.1f MiB\n",
               (elapsed + kSampleMs) / 1000, shown, document->blockCount(), residentMiB());
        fflush(stdout);
    }
    ticker.stop();
    const qint64 sentInWindow = sim.debugBytesSent() - sentAtStart;

    // Let the flood end and the last burst arrive before comparing.
    sim.faults().setSilent(true);
    QElapsedTimer draining;
    draining.start();
    qint64 settled = -1;
    while (draining.elapsed() < kDrainTimeoutMs) {
        runFor(kSettleMs);
        if (shown == sim.debugBytesSent() && shown == settled)
            break;
        settled = shown;
    }
    const qint64 sent = sim.debugBytesSent();
    const double cpu = processCpuSeconds() - threadCpuSeconds("norvo-sim") - cpuBefore;
    sim.faults().setSilent(false);
    emit dialog.findChild<QPushButton *>(QStringLiteral("bntStop"))->pressed();

    printf("  sent %lld, shown %lld bytes: %s\n", sent, shown,
           sent == shown ? "all shown" : "MISMATCH");
    printf("  %.0f bytes/s during the flood, the line carries %d\n", sentInWindow / double(seconds),
           baudRate / 10);
    printf("  longest GUI stall %lld ms, %d stalls over 50 ms; longest GUI work between ticks "
           "%.0f ms\n",
           longestStallMs, stallsOver50Ms, longestBusyMs);
    printf("  CPU %.2f s, %.2f s per MiB received\n", cpu, cpu / (sent / kMiB));
    printf("  peak resident %.1f MiB\n\n", peakMiB());
    fflush(stdout);
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({
            {QStringLiteral("seconds"), QStringLiteral("Flood length per rate (30)."),
             QStringLiteral("s"), QStringLiteral("30")},
            {QStringLiteral("view"), QStringLiteral("raw, hex or both (both)."),
             QStringLiteral("form"), QStringLiteral("both")},
            {QStringLiteral("lines"), QStringLiteral("Lines the view keeps (its default)."),
             QStringLiteral("n")},
            {QStringLiteral("baud"), QStringLiteral("Rates to flood at (115200,921600)."),
             QStringLiteral("list"), QStringLiteral("115200,921600")},
    });
    parser.process(app);
    const QString view
            = QHash<QString, QString>{{QStringLiteral("raw"), QStringLiteral("rdOriginal")},
                                      {QStringLiteral("hex"), QStringLiteral("rdHex")},
                                      {QStringLiteral("both"), QStringLiteral("rdOriginalHex")}}
                      .value(parser.value(QStringLiteral("view")));
    if (view.isEmpty())
        parser.showHelp(2);

    initGuiResources();
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    if (parser.isSet(QStringLiteral("lines")))
        singleton<Config>::instance()->setValue(SettingsKeys::kMonitorMaxLines,
                                                parser.value(QStringLiteral("lines")).toInt());
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();
    for (const QString &rate : parser.value(QStringLiteral("baud")).split(QLatin1Char(',')))
        floodOnce(rate.toInt(), seconds, view);
    singleton<Config>::destroyInstance();
    return 0;
}
