// Writes 50 items at 115200 baud and flashes a 64 KiB image (fast completion)
// with norvo-cli, once on one simulated instrument alone and once as a batch
// on four at the same time, and sets the batch's time against the lone one's.
// The write reads back (--verify) when the program offers it. The pseudo
// terminal takes a request at once, so while flashing the simulated
// boot-loader waits a page request's wire time before each answer, as if the
// page had crossed a real line.

#include "bootloaderframes.h"
#include "instrumentsimulator.h"
#include "packagewriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtMath>

#include <array>
#include <cstdio>

namespace {
constexpr int kPorts = 4;
constexpr int kItems = 50;
constexpr int kBaudRate = 115200;
constexpr int kImageBytes = 64 * 1024;
constexpr int kRunTimeoutMs = 120000;
constexpr double kTarget = 1.3;
constexpr double kBitsPerByte = 10.0;
const QString kModel = QStringLiteral("NV-BENCH");

struct Run
{
    int exitCode = -1;
    qint64 ms = 0;
    QByteArray output;
};

Run runCli(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(NORVO_CLI_PROGRAM),
                  QStringList{QStringLiteral("--baud"), QString::number(kBaudRate)} + arguments);
    Run run;
    if (process.waitForFinished(kRunTimeoutMs) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.ms = clock.elapsed();
    run.output = process.readAllStandardOutput();
    return run;
}

ItemSet benchItems()
{
    ItemSet items;
    items.append(SimItem(QStringLiteral("设备名称"), QStringLiteral("NV-100 流量计")));
    items.append(SimItem(QStringLiteral("设备型号"), kModel));
    for (int i = 2; i < kItems; ++i)
        items.append(SimItem(QStringLiteral("参数%1").arg(i), QString::number(i * 10)));
    return items;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    std::array<InstrumentSimulator, kPorts> sims;
    QStringList ports;
    for (InstrumentSimulator &sim : sims) {
        sim.setItems(benchItems());
        sim.setBaudRate(kBaudRate);
        QString error;
        if (!sim.start(&error)) {
            fprintf(stderr, "bench_batch: %s\n", qPrintable(error));
            return 1;
        }
        ports << sim.portName();
    }
    QByteArray image(kImageBytes, 0);
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 13);
    QString error;
    if (!writePackage(QStringLiteral("bench.nvbin"),
                      packageEntries(QStringLiteral("NV-100 流量计"), kModel,
                                     QStringLiteral("V2.40"), image),
                      &error)
        || runCli({QStringLiteral("--port"), ports.at(0), QStringLiteral("read"),
                   QStringLiteral("-o"), QStringLiteral("reference.csv")})
                        .exitCode
                != 0) {
        fprintf(stderr, "bench_batch: no package or reference file %s\n", qPrintable(error));
        return 1;
    }
    const bool verify = runCli({QStringLiteral("write"), QStringLiteral("--help")})
                                .output.contains("--verify");
    QStringList write{QStringLiteral("write"), QStringLiteral("reference.csv")};
    if (verify)
        write << QStringLiteral("--verify");
    const QStringList flash{QStringLiteral("flash"), QStringLiteral("--fast"),
                            QStringLiteral("bench.nvbin")};

    const int pageRequestBytes
            = bootPageRequest(QByteArray(kBootPageBytes, 0).constData(), 0).size();
    const int pageWireMs = qCeil(pageRequestBytes * kBitsPerByte * 1000.0 / kBaudRate);

    // The same two commands on the first port alone, then on all four at once.
    bool allMet = true;
    qint64 totals[2] = {0, 0};
    for (const int count : {1, kPorts}) {
        const QStringList where = count == 1
                ? QStringList{QStringLiteral("--port"), ports.at(0)}
                : QStringList{QStringLiteral("--ports"), ports.join(QLatin1Char(','))};
        const Run written = runCli(where + write);
        for (int i = 0; i < count; ++i) {
            sims.at(i).enterBootLoader(kModel);
            sims.at(i).setLatencyMs(pageWireMs);
        }
        const Run flashed = runCli(where + flash);
        for (int i = 0; i < count; ++i) {
            allMet = allMet && sims.at(i).flashedImage() == image;
            sims.at(i).leaveBootLoader();
            sims.at(i).setLatencyMs(InstrumentSimulator::kDefaultLatencyMs);
        }
        allMet = allMet && written.exitCode == 0 && flashed.exitCode == 0;
        totals[count == 1 ? 0 : 1] = written.ms + flashed.ms;
        printf("%d port%s: write%s of %d items %6lld ms, flash --fast of %d KiB %6lld ms, "
               "together %6lld ms (exit %d, %d)\n",
               count, count == 1 ? " " : "s", verify ? " --verify" : "", kItems,
               static_cast<long long>(written.ms), kImageBytes / 1024,
               static_cast<long long>(flashed.ms), static_cast<long long>(written.ms + flashed.ms),
               written.exitCode, flashed.exitCode);
    }
    const double ratio = double(totals[1]) / double(totals[0]);
    const bool met = allMet && ratio <= kTarget;
    printf("batch of %d: %.2f x one port alone, target <= %.1f: %s\n", kPorts, ratio, kTarget,
           met ? "met" : "MISSED");
    return met ? 0 : 1;
}
