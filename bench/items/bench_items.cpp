// An instrument of 100 items at 9600 baud and a reference file in which 5
// values differ: norvo-cli's write --only-changed --verify (the list read, 5
// writes, 5 read-backs) set against the line time of those exchanges, then a
// plain write of every item of the same file.

#include "commandset.h"
#include "instrumentsimulator.h"
#include "itemcsv.h"
#include "itemrows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtMath>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kBaudRate = 9600;
constexpr int kItems = 100;
constexpr int kDiffering = 5;
constexpr int kAnswerOverheadBytes = 5; // FF 03 L … CRC
constexpr double kBitsPerByte = 10.0;
constexpr double kTarget = 1.1;
constexpr int kRunTimeoutMs = 120000;

double wireMs(qint64 bytes)
{
    return bytes * kBitsPerByte * 1000.0 / kBaudRate;
}

QString itemName(int item)
{
    return QStringLiteral("参数%1").arg(item, 3, 10, QLatin1Char('0'));
}

// Every differing value as long as the instrument's, so reads before and
// after the writes cross the line in the same time.
QString itemValue(int item, bool changed)
{
    return QString::number((changed ? 5000 : 1000) + item);
}

bool differs(int item)
{
    return item % (kItems / kDiffering) == kItems / kDiffering / 2;
}

ItemSet instrumentItems()
{
    ItemSet items;
    for (int item = 0; item < kItems; ++item)
        items.append(SimItem(itemName(item), itemValue(item, false)));
    return items;
}

qint64 answerBytes(int item)
{
    return kAnswerOverheadBytes
            + encodeGb2312(itemName(item) + QLatin1Char(':') + itemValue(item, false)).size();
}

struct CliRun
{
    qint64 ms = 0;
    int exitCode = -1;
    QByteArray output;
};

// Run in folder, where no config.ini or SkipItems of the user's can take part.
CliRun runCli(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(NORVO_CLI_PROGRAM), arguments);
    process.waitForFinished(kRunTimeoutMs);
    CliRun run;
    run.ms = timer.elapsed();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAll();
    return run;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;

    // The pseudo terminal takes a request at once; the instrument waits a
    // read request's wire time before answering, as if it had crossed a line.
    const int readRequestBytes = makeReadItemFrame(0).size();
    const int latencyMs = qCeil(wireMs(readRequestBytes));
    InstrumentSimulator sim;
    sim.setBaudRate(kBaudRate);
    sim.setLatencyMs(latencyMs);
    sim.setItems(instrumentItems());
    QString error;
    if (!sim.start(&error)) {
        fprintf(stderr, "bench_items: %s\n", qPrintable(error));
        return 1;
    }

    QVector<ItemRowText> rows;
    qint64 readBytes = readRequestBytes + kAnswerOverheadBytes; // the empty answer ends the list
    qint64 writeBytes = 0;
    qint64 readBackBytes = 0;
    qint64 writeAllBytes = 0;
    for (int item = 0; item < kItems; ++item) {
        const QString value = itemValue(item, differs(item));
        rows.append(itemRowText(item + 1, item, {itemName(item), value}));
        const qint64 write = makeWriteItemFrame(item, value).size() + answerBytes(item);
        readBytes += readRequestBytes + answerBytes(item);
        writeAllBytes += write;
        if (differs(item)) {
            writeBytes += write;
            readBackBytes += readRequestBytes + answerBytes(item);
        }
    }
    const QString file = dir.filePath(QStringLiteral("reference.csv"));
    error = exportItemFile(file, rows);
    if (!error.isEmpty()) {
        fprintf(stderr, "bench_items: %s\n", qPrintable(error));
        return 1;
    }
    const QStringList port{QStringLiteral("--port"), sim.portName(), QStringLiteral("--baud"),
                           QString::number(kBaudRate)};

    const double lineMs = wireMs(readBytes + writeBytes + readBackBytes);
    printf("%d items at %d baud, %d differ; answers delayed %d ms (a read request's wire time)\n",
           kItems, kBaudRate, kDiffering, latencyMs);
    printf("line time: list read %.0f ms + %d writes %.0f ms + %d read-backs %.0f ms = %.0f ms\n",
           wireMs(readBytes), kDiffering, wireMs(writeBytes), kDiffering, wireMs(readBackBytes),
           lineMs);

    const CliRun changed = runCli(dir.path(),
                                  port
                                          + QStringList{QStringLiteral("write"), file,
                                                        QStringLiteral("--only-changed"),
                                                        QStringLiteral("--verify")});
    const QList<QByteArray> frames = sim.receivedFrames();
    const int writes
            = static_cast<int>(std::count_if(frames.begin(), frames.end(), [](const QByteArray &f) {
                  return f.size() > 2 && f.at(2) == 'K' && quint8(f.at(1)) == 0x0F;
              }));
    const bool met
            = changed.exitCode == 0 && writes == kDiffering && changed.ms <= kTarget * lineMs;
    printf("write --only-changed --verify: %lld ms (%.2f x line time, target %.1f), exit %d, "
           "%d write frames: %s\n",
           changed.ms, changed.ms / lineMs, kTarget, changed.exitCode, writes,
           met ? "met" : "NOT MET");
    if (changed.exitCode != 0)
        fprintf(stderr, "%s", changed.output.constData());

    sim.setItems(instrumentItems());
    const CliRun all = runCli(dir.path(), port + QStringList{QStringLiteral("write"), file});
    printf("write (every item): %lld ms, line time of its %d writes %.0f ms (%.2f x), exit %d\n",
           all.ms, kItems, wireMs(writeAllBytes), all.ms / wireMs(writeAllBytes), all.exitCode);
    return met ? 0 : 1;
}
