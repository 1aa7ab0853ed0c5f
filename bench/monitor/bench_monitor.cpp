// Floods the monitor dialog over a pseudo-terminal with debug-log text at the
// line's own rate and prints, for each rate and display form, what it cost:
//
//   bench_monitor [--seconds 20] [--baud 115200,921600] [--view raw,hex,both]
//                 [--lines N] [--flood-py PATH/flood.py]
//
// A child process plays the instrument: it answers the debug switch, then
// writes the text in 5 ms slices at baud / 10 bytes a second (bytes the
// pseudo-terminal does not take are retried, never dropped). Measured in this
// process only, the child left out: CPU time (all threads) from the first byte
// until every byte was shown, peak resident memory over that time, and the
// longest time the GUI thread took to answer a probe posted every 50 ms (the
// stall), with the part of it the GUI thread spent working (busy; on a loaded
// machine the rest is time the system gave to other processes).
// With --flood-py the text is the one that script serves (`flood.py text`),
// byte for byte, so that another program can be measured on the same flood.
#include "config.h"
#include "guiresources.h"
#include "monitordialog.h"
#include "seriallink.h"
#include "settingskeys.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {
constexpr int kSliceMs = 5;
constexpr int kProbeMs = 50;
constexpr int kPollMs = 100;
constexpr int kSwitchSettleMs = 1000;
constexpr int kDrainSlackS = 60;
constexpr int kBitsPerByte = 10;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr int kSwitchFrameBytes = 11;
const QByteArray kSwitchRequestStart = QByteArray::fromHex("FF0F4BFF");

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A field of /proc/self/status in MiB ("VmRSS", "VmHWM").
double statusMiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

qint64 cpuNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * qint64(1000000000) + now.tv_nsec;
}

void resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Debug-log lines like an instrument's, deterministic, cut to exactly bytes.
QByteArray builtInText(int bytes, int rate)
{
    QByteArray text;
    quint32 seed = 1;
    const auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % quint32(range));
    };
    for (int line = 0; text.size() < bytes; ++line) {
        const double t = text.size() / double(rate);
        QByteArray body;
        if (line % 20 == 19)
            body = QStringLiteral("I2C addr=0x%1 reg=0x%2 val=0x%3 ok")
                           .arg(next(0x70) + 8, 2, 16, QLatin1Char('0'))
                           .arg(next(256), 2, 16, QLatin1Char('0'))
                           .arg(next(65536), 4, 16, QLatin1Char('0'))
                           .toUpper()
                           .toLatin1();
        else
            body = QStringLiteral("ADC ch1=%1 ch2=%2 T=%3C")
                           .arg(next(4096), 4, 10, QLatin1Char('0'))
                           .arg(next(4096), 4, 10, QLatin1Char('0'))
                           .arg(25 + next(100) / 100.0, 0, 'f', 1)
                           .toLatin1();
        text += QStringLiteral("[%1.%2] ")
                        .arg(int(t), 4, 10, QLatin1Char('0'))
                        .arg(int((t - int(t)) * 1000), 3, 10, QLatin1Char('0'))
                        .toLatin1()
                + body + "\r\n";
    }
    text.truncate(bytes);
    return text;
}

QByteArray floodText(const QString &floodPy, int bytes, int rate)
{
    if (floodPy.isEmpty())
        return builtInText(bytes, rate);
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {floodPy, QStringLiteral("text"), QStringLiteral("--bytes"),
                  QString::number(bytes), QStringLiteral("--rate"), QString::number(rate)});
    python.waitForFinished(-1);
    return python.readAllStandardOutput();
}

// The answer an instrument gives to the debug switch with text "1" or "0".
QByteArray switchAnswer(char on)
{
    QByteArray answer = QByteArray::fromHex("FF0306B5F7CAD43A") + on; // 调试:x in GB2312
    appendCrc(answer);
    return answer;
}

// The instrument, in a child process: answers switch requests, and after a
// byte on go floods text at rate. Only system calls here, no allocation.
[[noreturn]] void playInstrument(int master, int go, const QByteArray &text, int rate, pid_t bench)
{
    const QByteArray answerOn = switchAnswer('1');
    const QByteArray answerOff = switchAnswer('0');
    char inbox[4096];
    int held = 0;
    const auto drain = [&] {
        const ssize_t got = read(master, inbox + held, sizeof inbox - held);
        if (got > 0)
            held += int(got);
        for (int at = 0; at + kSwitchFrameBytes <= held; ++at) {
            if (memcmp(inbox + at, kSwitchRequestStart.constData(), 4) != 0)
                continue;
            const QByteArray &answer = inbox[at + 7] == '1' ? answerOn : answerOff;
            (void)!write(master, answer.constData(), answer.size());
            memmove(inbox, inbox + at + kSwitchFrameBytes, held - at - kSwitchFrameBytes);
            held -= at + kSwitchFrameBytes;
            at = -1;
        }
        if (held == sizeof inbox)
            held = 0;
    };
    pollfd fds[2] = {{master, POLLIN, 0}, {go, POLLIN, 0}};
    for (;;) {                  // until go
        if (getppid() != bench) // the bench was killed: nobody will say go
            _exit(1);
        poll(fds, 2, kPollMs);
        drain();
        char byte;
        if ((fds[1].revents & POLLIN) && read(go, &byte, 1) == 1)
            break;
    }
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    qint64 written = 0;
    for (qint64 slice = 1; written < text.size(); ++slice) {
        const qint64 dueNs = slice * kSliceMs * 1000000;
        timespec due{start.tv_sec + time_t(dueNs / 1000000000),
                     start.tv_nsec + long(dueNs % 1000000000)};
        if (due.tv_nsec >= 1000000000) {
            due.tv_sec += 1;
            due.tv_nsec -= 1000000000;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr);
        const qint64 target = qMin<qint64>(text.size(), rate * slice * kSliceMs / 1000);
        if (target > written) {
            const ssize_t put = write(master, text.constData() + written, size_t(target - written));
            if (put > 0)
                written += put;
        }
        drain();
    }
    while (getppid() == bench) { // the switch-off at the stop, until killed
        poll(fds, 1, kPollMs);
        drain();
    }
    _exit(0);
}

struct Figures
{
    qint64 sent = 0;
    qint64 shown = 0;
    double cpuPerMiB = 0;
    double startMiB = 0;
    double peakMiB = 0;
    double stallMs = 0;
    double busyMs = 0;
};

Figures floodOnce(int baudRate, const QString &view, int seconds, const QString &floodPy)
{
    Figures figures;
    const int rate = baudRate / kBitsPerByte;
    const QByteArray text = floodText(floodPy, rate * seconds, rate);
    int master = -1;
    int slave = -1;
    termios raw{};
    cfmakeraw(&raw);
    int goPipe[2];
    char name[128] = {};
    if (text.isEmpty() || openpty(&master, &slave, nullptr, &raw, nullptr) != 0
        || ptsname_r(master, name, sizeof name) != 0 || pipe(goPipe) != 0) {
        fprintf(stderr, "bench_monitor: no flood text or no pseudo-terminal\n");
        return figures;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    const pid_t bench = getpid();
    const pid_t instrument = fork();
    if (instrument == 0) {
        close(goPipe[1]);
        close(slave);
        playInstrument(master, goPipe[0], text, rate, bench);
    }
    close(goPipe[0]);
    close(master);
    Config *config = singleton<Config>::instance();
    config->setValue(SettingsKeys::kSerialPort, QString::fromLocal8Bit(name));
    config->setValue(SettingsKeys::kSerialBaudRate, baudRate);

    MonitorDialog dialog;
    dialog.show();
    dialog.findChild<QRadioButton *>(view)->setChecked(true);
    QObject::connect(&dialog.monitorThread(), &MonitorThread::signalDataRecv, &dialog,
                     [&figures](const QByteArray &burst) { figures.shown += burst.size(); });
    emit dialog.findChild<QPushButton *>(QStringLiteral("bntStart"))->pressed();
    runFor(kSwitchSettleMs);

    // Probes posted to the GUI thread from another: how late each is taken up,
    // and how much of that wait the GUI thread spent working rather than
    // waiting for a processor that other programs held.
    std::atomic<bool> probing{true};
    std::atomic<qint64> longestNs{0};
    std::atomic<qint64> longestBusyNs{0};
    clockid_t guiClock{};
    pthread_getcpuclockid(pthread_self(), &guiClock);
    std::thread prober([&] {
        using Clock = std::chrono::steady_clock;
        while (probing) {
            const Clock::time_point posted = Clock::now();
            const qint64 cpuPosted = cpuNs(guiClock);
            QMetaObject::invokeMethod(
                    &dialog,
                    [=, &longestNs, &longestBusyNs] {
                        const qint64 ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                  Clock::now() - posted)
                                                  .count();
                        longestNs = qMax<qint64>(longestNs, ns);
                        longestBusyNs = qMax(longestBusyNs.load(), cpuNs(guiClock) - cpuPosted);
                    },
                    Qt::QueuedConnection);
            std::this_thread::sleep_for(std::chrono::milliseconds(kProbeMs));
        }
    });

    resetPeakMemory();
    figures.startMiB = statusMiB("VmRSS");
    const double cpuBefore = cpuSeconds();
    (void)!write(goPipe[1], "g", 1);
    QElapsedTimer flooding;
    flooding.start();
    while (figures.shown < text.size() && flooding.elapsed() < (seconds + kDrainSlackS) * 1000)
        runFor(kPollMs);
    runFor(2 * MonitorDialog::kShowIntervalMs + kPollMs); // the last showing and its painting
    figures.cpuPerMiB = (cpuSeconds() - cpuBefore) / (text.size() / kMiB);
    figures.peakMiB = statusMiB("VmHWM");
    probing = false;
    prober.join();
    figures.stallMs = longestNs / 1e6;
    figures.busyMs = longestBusyNs / 1e6;
    figures.sent = text.size();

    emit dialog.findChild<QPushButton *>(QStringLiteral("bntStop"))->pressed();
    QElapsedTimer stopping;
    stopping.start();
    while (dialog.monitorThread().isRunning() && stopping.elapsed() < kDrainSlackS * 1000)
        runFor(kPollMs);
    kill(instrument, SIGTERM);
    waitpid(instrument, nullptr, 0);
    close(goPipe[1]);
    close(slave);
    return figures;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({
            {QStringLiteral("seconds"), QStringLiteral("Flood length per cell (20)."),
             QStringLiteral("s"), QStringLiteral("20")},
            {QStringLiteral("view"), QStringLiteral("Display forms: raw, hex, both (raw,hex)."),
             QStringLiteral("list"), QStringLiteral("raw,hex")},
            {QStringLiteral("lines"), QStringLiteral("Lines the view keeps (its default)."),
             QStringLiteral("n")},
            {QStringLiteral("baud"), QStringLiteral("Rates to flood at (115200,921600)."),
             QStringLiteral("list"), QStringLiteral("115200,921600")},
            {QStringLiteral("flood-py"), QStringLiteral("Take the text from this flood.py."),
             QStringLiteral("path")},
    });
    parser.process(app);
    const QHash<QString, QString> radios{{QStringLiteral("raw"), QStringLiteral("rdOriginal")},
                                         {QStringLiteral("hex"), QStringLiteral("rdHex")},
                                         {QStringLiteral("both"), QStringLiteral("rdOriginalHex")}};
    const QStringList views = parser.value(QStringLiteral("view")).split(QLatin1Char(','));
    for (const QString &view : views) {
        if (!radios.contains(view))
            parser.showHelp(2);
    }
    const QString floodPy = parser.value(QStringLiteral("flood-py"));
    const QString floodPyPath = floodPy.isEmpty() ? floodPy : QFileInfo(floodPy).absoluteFilePath();

    initGuiResources();
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    if (parser.isSet(QStringLiteral("lines")))
        singleton<Config>::instance()->setValue(SettingsKeys::kMonitorMaxLines,
                                                parser.value(QStringLiteral("lines")).toInt());
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();
    printf("%-7s %-4s %8s %10s %9s %9s %9s %8s  %s\n", "baud", "form", "MiB", "CPU s/MiB",
           "RSS start", "RSS peak", "stall ms", "busy ms", "shown/sent");
    for (const QString &rate : parser.value(QStringLiteral("baud")).split(QLatin1Char(','))) {
        for (const QString &view : views) {
            const Figures f = floodOnce(rate.toInt(), radios.value(view), seconds, floodPyPath);
            printf("%-7d %-4s %8.2f %10.2f %9.1f %9.1f %9.1f %8.1f  %lld/%lld%s\n", rate.toInt(),
                   qPrintable(view), f.sent / kMiB, f.cpuPerMiB, f.startMiB, f.peakMiB, f.stallMs,
                   f.busyMs, f.shown, f.sent, f.shown == f.sent ? "" : " MISMATCH");
            fflush(stdout);
        }
    }
    singleton<Config>::destroyInstance();
    return 0;
}
