// Flashes a 64 KiB image into the simulated boot-loader at 115200 baud, once
// as the exchange waits for the line to fall quiet after every answer and once
// with fast completion, and sets the pages and the whole run each time against
// the wire time of the bytes that crossed the line. Then a boot-loader of
// another model: how long after its answer the failure is told.

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

#include <atomic>
#include <cstdio>

namespace {
constexpr int kBaudRate = 115200;
constexpr int kImageBytes = 64 * 1024;
constexpr int kPages = kImageBytes / kBootPageBytes;
constexpr int kClosingRequests = 2;
constexpr double kBitsPerByte = 10.0;
constexpr double kQuietMs = 500.0;
constexpr double kNormalTarget = 1.02;
constexpr double kFastTarget = 1.3;
constexpr double kFastRunTarget = 1.1;
constexpr double kWrongModelTargetMs = 500.0;
const QString kModel = QStringLiteral("NV-BENCH");
const QString kOtherModel = QStringLiteral("NV-OTHER");

double wireMs(qint64 bytes)
{
    return bytes * kBitsPerByte * 1000.0 / kBaudRate;
}

struct Timing
{
    double pagesMs = 0;     // from the erase's progress signal to the last page's
    double totalMs = 0;     // the whole run, identification and closing included
    double failedAtMs = -1; // when the failure was told
    bool succeeded = false;
};

Timing flash(const DEncryptInfo &package, bool fast, const QElapsedTimer &clock)
{
    singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, fast);
    UpdateThread thread;
    thread.setPackage(package);
    QList<qint64> progressAtMs;
    Timing timing;
    // Direct connections: the moments are taken on the worker, as they happen.
    QObject::connect(
            &thread, &UpdateThread::signalUpdateProgress, &thread,
            [&](int) { progressAtMs.append(clock.elapsed()); }, Qt::DirectConnection);
    QObject::connect(
            &thread, &UpdateThread::signalUpdateSucceed, &thread, [&] { timing.succeeded = true; },
            Qt::DirectConnection);
    QObject::connect(
            &thread, &UpdateThread::signalShowErrorMessage, &thread,
            [&](const QString &) { timing.failedAtMs = clock.elapsed(); }, Qt::DirectConnection);
    const qint64 startMs = clock.elapsed();
    thread.start();
    thread.wait();
    timing.totalMs = clock.elapsed() - startMs;
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
    const int requestWireMs = qCeil(wireMs(requestBytes));
    qint64 pageWireBytes = 0;
    for (int page = 0; page < kPages; ++page)
        pageWireBytes += requestBytes + bootPageAnswer(static_cast<quint8>(page)).size();
    const auto identifyAnswerOf = [](const QString &model) {
        SimRequest identify;
        identify.kind = SimRequest::BootIdentify;
        return BootLoaderMode(model).answer(identify).value(0).bytes;
    };
    const QByteArray identifyAnswer = identifyAnswerOf(kModel);
    const QList<QByteArray> answeredFirst{bootIdentifyRequest(), bootEraseRequest(kImageBytes)};
    const qint64 runWireBytes = pageWireBytes + answeredFirst.at(0).size() + identifyAnswer.size()
            + answeredFirst.at(1).size() + bootEraseAnswer().size()
            + kClosingRequests * bootClosingRequest().size();
    // For a page the simulator's wait is the request crossing the line; for
    // the short identification and erase requests it waits longer than that.
    double extraWaitMs = 0;
    for (const QByteArray &request : answeredFirst)
        extraWaitMs += qMax(0.0, requestWireMs - wireMs(request.size()));
    extraWaitMs += kPages * qMax(0.0, requestWireMs - wireMs(requestBytes));

    QElapsedTimer clock;
    clock.start();
    std::atomic<qint64> identifiedAtMs{-1};
    InstrumentSimulator sim;
    sim.setBaudRate(kBaudRate);
    sim.setLatencyMs(requestWireMs);
    sim.setRequestObserver([&](const QByteArray &frame) {
        if (frame == bootIdentifyRequest())
            identifiedAtMs = clock.elapsed();
    });
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
    const double runWire = wireMs(runWireBytes);
    printf("%d pages of %d bytes at %d baud; answers delayed %d ms (a request's wire time)\n",
           kPages, kBootPageBytes, kBaudRate, requestWireMs);
    printf("wire time of the page exchanges: %.0f ms; of the whole run: %.0f ms, and the "
           "simulator waits %.0f ms beyond it\n",
           wire, runWire, extraWaitMs);
    bool allMet = true;
    for (const bool fast : {false, true}) {
        const char *mode = fast ? "fast completion" : "normal";
        sim.enterBootLoader(kModel);
        const Timing timing = flash(package, fast, clock);
        const double target
                = fast ? kFastTarget * wire : kNormalTarget * (wire + kPages * kQuietMs);
        const bool met
                = timing.succeeded && timing.pagesMs <= target && sim.flashedImage() == image;
        allMet = allMet && met;
        printf("%-15s pages %7.0f ms (%.2f x wire time), target <= %.0f ms: %s\n", mode,
               timing.pagesMs, timing.pagesMs / wire, target, met ? "met" : "MISSED");
        const double runTarget = kFastRunTarget * runWire + extraWaitMs;
        const bool runMet = !fast || timing.totalMs <= runTarget;
        allMet = allMet && runMet;
        printf("%-15s whole run %7.0f ms (%.2f x wire time)", mode, timing.totalMs,
               timing.totalMs / runWire);
        if (fast)
            printf(", target <= %.0f ms: %s", runTarget, runMet ? "met" : "MISSED");
        printf("\n");
    }

    // The identification answer has crossed the line the simulator's wait and
    // its own wire time after the request was taken.
    const double answerMs = requestWireMs + wireMs(identifyAnswerOf(kOtherModel).size());
    for (const bool fast : {false, true}) {
        const char *mode = fast ? "fast completion" : "normal";
        sim.enterBootLoader(kOtherModel);
        identifiedAtMs = -1;
        const qint64 startMs = clock.elapsed();
        const Timing timing = flash(package, fast, clock);
        const double answeredAtMs = identifiedAtMs + answerMs;
        const double toldMs = timing.failedAtMs - answeredAtMs;
        const double endedMs = startMs + timing.totalMs - answeredAtMs;
        const bool met = identifiedAtMs >= 0 && timing.failedAtMs >= 0 && !timing.succeeded
                && (!fast || endedMs <= kWrongModelTargetMs);
        allMet = allMet && met;
        printf("%-15s another model: told %.0f ms after its answer, run over %.0f ms after it",
               mode, toldMs, endedMs);
        if (fast)
            printf(", target <= %.0f ms: %s", kWrongModelTargetMs, met ? "met" : "MISSED");
        printf("\n");
    }
    sim.stop();
    singleton<Config>::destroyInstance();
    return allMet ? 0 : 1;
}
