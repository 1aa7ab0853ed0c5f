#include "commandset.h"
#include "monitorthread.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QRegularExpression>
#include <QSerialPort>

namespace {
const QByteArray kDebugOn = QByteArray::fromHex("FF0F4BFF0000023100541F");
const QByteArray kDebugOff = QByteArray::fromHex("FF0F4BFF0000023000558F");
constexpr int kWaitMs = 15000;
constexpr int kListenMs = 150;

// One listening run against the simulated instrument, and what it signalled.
struct Run
{
    Run()
    {
        // Queued to the test's thread, so reading them races with nothing.
        QObject::connect(&thread, &MonitorThread::signalDataRecv, &receiver,
                         [this](const QByteArray &burst) { bursts << burst; });
        QObject::connect(&thread, &MonitorThread::signalShowError, &receiver,
                         [this](const QString &title, const QString &text) {
                             messages << title + QStringLiteral(": ") + text;
                         });
    }
    ~Run() { sim.faults().setSilent(false); } // the switch-off at the end gets its answer

    QString start(bool debug, int baudRate = SimTest::kBaudRate)
    {
        const QString error
                = sim.isRunning() ? QString() : SimTest::startOnConfiguredPort(sim, baudRate);
        thread.setDebug(debug);
        thread.start();
        return error;
    }
    // Ends the run and takes in what it signalled last.
    void stop()
    {
        thread.stop();
        QCoreApplication::processEvents();
    }
    QByteArray shown() const { return bursts.join(); }
    // Silences the instrument and waits until every debug byte it sent was shown.
    bool drain()
    {
        sim.faults().setSilent(true);
        return QTest::qWaitFor([this] { return shown().size() == sim.debugBytesSent(); }, kWaitMs);
    }

    InstrumentSimulator sim;
    MonitorThread thread;
    QObject receiver;
    QByteArrayList bursts;
    QStringList messages;
};

// Whole debug lines numbered from 1 without a gap: every byte once and in order.
// The number of lines, or -1 with the offending line in why.
int numberedLines(const QByteArray &stream, QString *why)
{
    static const QRegularExpression line(
            QStringLiteral("^DBG #(\\d+) t=\\d+ 温度=[\\d.]+ 流量=12\\.0$"));
    QStringList lines = decodeGb2312(stream).split(QStringLiteral("\r\n"));
    *why = lines.takeLast();
    for (int i = 0; why->isEmpty() && i < lines.size(); ++i) {
        if (line.match(lines.at(i)).captured(1).toInt() != i + 1)
            *why = lines.at(i);
    }
    return why->isEmpty() ? lines.size() : -1;
}
} // namespace

// The listening thread against the simulated instrument: the debug switch
// around a run, how bytes are grouped into bursts, and floods. A pulled cable
// is the dialog test's.
class TestMonitorThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void debugSwitch_data();
    void debugSwitch();
    void burstGaps_data();
    void burstGaps();
    void flood_data();
    void flood();
    void stopDuringFlood();
    void unansweredSwitch();

private:
    QTemporaryDir m_dir;
};

void TestMonitorThread::debugSwitch_data()
{
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("staleFlood"); // an earlier session left the output flooding
    QTest::addColumn<QByteArrayList>("frames");

    QTest::newRow("on: switched on, and off at the stop")
            << true << false << QByteArrayList{kDebugOn, kDebugOff};
    QTest::newRow("off: switched off, nothing at the stop")
            << false << false << QByteArrayList{kDebugOff};
    QTest::newRow("off amid an earlier session's flood")
            << false << true << QByteArrayList{kDebugOn, kDebugOff};
    QTest::newRow("on amid an earlier session's flood")
            << true << true << QByteArrayList{kDebugOn, kDebugOn, kDebugOff};
}

void TestMonitorThread::debugSwitch()
{
    QFETCH(bool, debug);
    QFETCH(bool, staleFlood);
    QFETCH(QByteArrayList, frames);

    Run run;
    if (staleFlood) {
        QVERIFY(SimTest::startOnConfiguredPort(run.sim).isEmpty());
        run.sim.setDebugFlood(true);
        QSerialPort port;
        QByteArray answer;
        QVERIFY(openSerialPort(port));
        QCOMPARE(sendAndReceive(port, kDebugOn, answer), LinkOk);
    }
    QVERIFY(run.start(debug).isEmpty());
    QVERIFY(run.sim.waitForFrames(frames.size() - (debug ? 1 : 0), kWaitMs));
    QTest::qWait(kListenMs);
    run.stop();

    QCOMPARE(run.messages, QStringList());
    QCOMPARE(run.sim.receivedFrames(), frames);
    QVERIFY(!run.sim.debugOutputOn());
}

void TestMonitorThread::burstGaps_data()
{
    QTest::addColumn<int>("periodMs"); // from line start to line start; a line takes 5 ms
    QTest::addColumn<bool>("oneBurst");
    QTest::newRow("30 ms apart: one burst") << 30 << true;
    QTest::newRow("80 ms apart: a burst each") << 80 << false;
}

void TestMonitorThread::burstGaps()
{
    QFETCH(int, periodMs);
    QFETCH(bool, oneBurst);
    Run run;
    run.sim.setDebugLinePeriodMs(periodMs);
    QVERIFY(run.start(true).isEmpty());
    QVERIFY(run.sim.waitForFrames(1, kWaitMs));
    QTest::qWait(4 * periodMs);
    QVERIFY(run.drain());

    QString why;
    const int lines = numberedLines(run.shown(), &why);
    QVERIFY2(lines >= 2, qPrintable(why));
    QCOMPARE(run.bursts.size(), oneBurst ? 1 : lines);
}

void TestMonitorThread::flood_data()
{
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<QString>("cutAt"); // the limit that cuts bursts: size or age
    QTest::newRow("115200 baud: cut at the size limit") << SimTest::kBaudRate << "size";
    QTest::newRow("4800 baud: cut at the age limit") << 4800 << "age";
}

void TestMonitorThread::flood()
{
    QFETCH(int, baudRate);
    QFETCH(QString, cutAt);
    Run run;
    run.sim.setDebugFlood(true);
    QVERIFY(run.start(true, baudRate).isEmpty());

    // Bursts arrive while the instrument has not paused once.
    QTRY_VERIFY_WITH_TIMEOUT(run.bursts.size() >= 2, kWaitMs);
    const int largest = qMax(run.bursts.at(0).size(), run.bursts.at(1).size());
    QVERIFY(run.drain());

    QString why;
    QVERIFY2(numberedLines(run.shown(), &why) > 0, qPrintable(why));
    for (const QByteArray &burst : qAsConst(run.bursts)) {
        QVERIFY(burst.size() <= MonitorThread::kMaxBurstBytes);
        QCOMPARE(encodeGb2312(decodeGb2312(burst)), burst); // no character cut in two
    }
    QCOMPARE(largest >= MonitorThread::kMaxBurstBytes - 1, cutAt == QLatin1String("size"));

    // Switched off while the flood runs again: the answer is found among the lines.
    run.sim.faults().setSilent(false);
    run.stop();
    QCOMPARE(run.messages, QStringList());
    QCOMPARE(run.sim.receivedFrames().last(), kDebugOff);
}

void TestMonitorThread::stopDuringFlood()
{
    Run run;
    run.sim.setDebugFlood(true);
    // Slow enough to stay below both limits: only the stop hands the bytes out.
    QVERIFY(run.start(true, SimTest::kSlowBaudRate).isEmpty());
    QVERIFY(run.sim.waitForFrames(1, kWaitMs));
    QTest::qWait(3 * kListenMs);
    QCOMPARE(run.bursts.size(), 0);
    run.stop();

    const QByteArray shown = run.shown();
    QString why;
    QVERIFY(shown.startsWith("DBG #1 "));
    QVERIFY2(numberedLines(shown.left(shown.lastIndexOf("\r\n") + 2), &why) > 0, qPrintable(why));
    QCOMPARE(run.messages, QStringList());
}

// An instrument that does not answer the switch is not listened to.
void TestMonitorThread::unansweredSwitch()
{
    Run run;
    run.sim.faults().setSilent(true);
    QVERIFY(run.start(true).isEmpty());
    QVERIFY(run.thread.wait(kWaitMs));
    QCoreApplication::processEvents();
    QCOMPARE(run.messages, QStringList{"监听调试: 接受数据超时"});
    QVERIFY(run.bursts.isEmpty());
}

QTEST_GUILESS_MAIN(TestMonitorThread)
#include "tst_monitorthread.moc"
