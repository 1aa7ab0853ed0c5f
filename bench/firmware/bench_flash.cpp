// Flashes a 64 KiB image into the simulated boot-loader at 115200 baud, once
// as the exchange waits for the line to fall quiet after every answer and once
// with fast completion, and sets each time against the wire time of the bytes
// that crossed the line.

#include "bootloaderframes.h"
#include "config.h"
#include "instrumentsimulator.h"
#include "settingskeys.h"
#include "updatethread.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtMath>

#include <cstdio>

namespace {
constexpr int kBaudRate = 115200;
constexpr int kImageBytes = 64 * 1024;
constexpr int kPages = kImageBytes / kBootPageBytes;
constexpr double kBitsPerByte = 10.0;
constexpr double kQuietMs = 500.0;
constexpr double kNormalTarget = 1.02;
constexpr double kFastTarget = 1.3;
const QString kModel = QStringLiteral("NV-BENCH");

double wireMs(qint64 bytes)
{
    return bytes * kBitsPerByte * 1000.0 / kBaudRate;
}

struct Timing
{
    double pagesMs = 0; // from the erase's progress signal to the last page's
    double totalMs = 0; // the whole run, identification and closing included
    bool succeeded = false;
};

Timing flash(const DEncryptInfo &package, bool fast)
{
    singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, fast);
    UpdateThread thread;
    thread.setPackage(package);
    QElapsedTimer clock;
    QList<qint64> progressAtMs;
    Timing timing;
    // Direct connections: the moments are taken on the worker, as they happen.
    QObject::connect(
            &thread, &UpdateThread::signalUpdateProgress, &thread,
            [&](int) { progressAtMs.append(clock.elapsed()); }, Qt::DirectConnection);
    QObject::connect(
            &thread, &UpdateThread::signalUpdateSucceed, &thread, [&] { timing.succeeded = true; },
            Qt::DirectConnection);
    clock.start();
    thread.start();
    thread.wait();
    timing.totalMs = clock.elapsed();
    if (progressAtMs.size() == kPages + 1)
        timing.pagesMs = progressAtMs.last() - progressAtMs.first();
    return timing;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;

    // The pseudo terminal takes a request at once; the instrument waits the
    // request's wire time before answering, as if it had crossed a real line.
    const int requestBytes = bootPageRequest(QByteArray(kBootPageBytes, 0).constData(), 0).size();
    qint64 pageWireBytes = 0;
    for (int page = 0; page < kPages; ++page)
        pageWireBytes += requestBytes + bootPageAnswer(static_cast<quint8>(page)).size();
    const int requestWireMs = qCeil(wireMs(requestBytes));

    InstrumentSimulator sim;
    sim.setBaudRate(kBaudRate);
    sim.setLatencyMs(requestWireMs);
    QString error;
    if (!sim.start(&error)) {
        fprintf(stderr, "bench_flash: %s\n", qPrintable(error));
        return 1;
    }
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, sim.portName());
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialBaudRate, kBaudRate);

    DEncryptInfo package;
    QByteArray image(kImageBytes, 0);
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 7);
    package.content.insert(QString::fromLatin1(PackageKeys::kModel), kModel);
    package.content.insert(QString::fromLatin1(PackageKeys::kImage), image);

    const double wire = wireMs(pageWireBytes);
    printf("%d pages of %d bytes at %d baud; answers delayed %d ms (a request's wire time)\n",
           kPages, kBootPageBytes, kBaudRate, requestWireMs);
    printf("wire time of the page exchanges: %.0f ms\n", wire);
    bool allMet = true;
    for (const bool fast : {false, true}) {
        sim.enterBootLoader(kModel);
        const Timing timing = flash(package, fast);
        const double target
                = fast ? kFastTarget * wire : kNormalTarget * (wire + kPages * kQuietMs);
        const bool met
                = timing.succeeded && timing.pagesMs <= target && sim.flashedImage() == image;
        allMet = allMet && met;
        printf("%-15s pages %7.0f ms (%.2f x wire time), target <= %.0f ms: %s; whole run %.0f "
               "ms\n",
               fast ? "fast completion" : "normal", timing.pagesMs, timing.pagesMs / wire, target,
               met ? "met" : "MISSED", timing.totalMs);
    }
    sim.stop();
    singleton<Config>::destroyInstance();
    return allMet ? 0 : 1;
}
