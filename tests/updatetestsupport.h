#ifndef NORVO_UPDATETESTSUPPORT_H
#define NORVO_UPDATETESTSUPPORT_H

#include "bootloaderframes.h"
#include "simtestsupport.h"
#include "updatethread.h"

#include <QtTest>

Q_DECLARE_METATYPE(BootLoaderFaults)

// What the update tests share: packages, the simulated boot-loader and one update run.
namespace UpdateTest {
inline const QString kModel = QStringLiteral("NV-100A");

inline QByteArray imageOf(int size)
{
    QByteArray image(size, 0);
    for (int i = 0; i < size; ++i)
        image[i] = static_cast<char>(i * 13 + i / 1024);
    return image;
}

inline DEncryptInfo packageOf(const QString &model, const QByteArray &image)
{
    DEncryptInfo package;
    package.content.insert(QString::fromLatin1(PackageKeys::kModel), model);
    package.content.insert(QString::fromLatin1(PackageKeys::kImage), image);
    return package;
}

inline BootLoaderFaults closingAnswered(BootLoaderFaults faults = BootLoaderFaults())
{
    // Spares each run the two waits for an answer that never comes.
    faults.answerClosing = true;
    return faults;
}

// The requests the boot-loader saw, one letter each: Identify, Erase, Page, Close.
inline QString requestKinds(const QList<QByteArray> &frames)
{
    static const QHash<QByteArray, QChar> letters{{QByteArray::fromHex("293F"), 'I'},
                                                  {QByteArray::fromHex("2FAC"), 'E'},
                                                  {QByteArray::fromHex("2C01"), 'P'},
                                                  {QByteArray::fromHex("2A79"), 'C'}};
    QString kinds;
    for (const QByteArray &frame : frames)
        kinds += letters.value(frame.mid(3, 2), QLatin1Char('?'));
    return kinds;
}

struct Outcome
{
    QStringList errors;
    QList<int> progress;
    int successes = 0;
    QList<QByteArray> frames;
};

inline Outcome runUpdate(InstrumentSimulator &sim, const DEncryptInfo &package)
{
    UpdateThread thread;
    thread.setPackage(package);
    QSignalSpy errors(&thread, &UpdateThread::signalShowErrorMessage);
    QSignalSpy progress(&thread, &UpdateThread::signalUpdateProgress);
    QSignalSpy successes(&thread, &UpdateThread::signalUpdateSucceed);
    const int framesBefore = sim.receivedFrames().size();
    thread.start();
    Outcome outcome;
    if (!thread.wait(60000))
        return outcome;
    for (const QList<QVariant> &signal : errors)
        outcome.errors << signal.at(0).toString();
    for (const QList<QVariant> &signal : progress)
        outcome.progress << signal.at(0).toInt();
    outcome.successes = successes.count();
    outcome.frames = sim.receivedFrames().mid(framesBefore);
    return outcome;
}

// Starts the simulator on the configured port, in its boot-loader.
inline QString startBootLoader(InstrumentSimulator &sim, const QString &model,
                               const BootLoaderFaults &faults)
{
    const QString error = SimTest::startOnConfiguredPort(sim);
    sim.enterBootLoader(model);
    sim.setBootLoaderFaults(faults);
    return error;
}

} // namespace UpdateTest

#endif
