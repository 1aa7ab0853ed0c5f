#include "commandset.h"
#include "monitorthread.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QRegularExpression>
#include <QSerialPort>

#include <functional>

using Arrange = std::function<void(InstrumentSimulator &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
const QByteArray kDebugOnFrame = QByteArray::fromHex("FF0F4BFF0000023100541F");
const QByteArray kDebugOffFrame = QByteArray::fromHex("FF0F4BFF0000023000558F");
constexpr int kRunTimeoutMs = 15000;
constexpr int kListenMs = 150;
constexpr int kFloodWaitMs = 10000;

// Every burst a run delivered, and the messages it signalled as "title: text".
struct Watched
{
    explicit Watched(MonitorThread &thread)
        : bursts(&thread, &MonitorThread::signalDataRecv)
        , errors(&thread, &MonitorThread::signalShowError)
    { }
    QByteArrayList received() const
    {
        QByteArrayList list;
        for (const QList<QVariant> &burst : bursts)
            list << burst.at(0).toByteArray();
        return list;
    }
    qint64 bytes() const { return received().join().size(); }
    QStringList messages() const
    {
        QStringList list;
        for (const QList<QVariant> &error : errors)
            list << error.at(0).toString() + QStringLiteral(": ") + error.at(1).toString();
        return list;
    }
    QSignalSpy bursts;
    QSignalSpy errors;
};

// Whole debug lines numbered from 1 without a gap: every byte once and in order.
// Returns how many lines the stream holds, or -1 with the reason in why.
int countNumberedLines(const QByteArray &stream, QString *why)
{
    static const QRegularExpression line(
            QStringLiteral("^DBG #(\\d+) t=\\d+ 温度=\\d+\\.\\d 流量=12\\.0$"));
    QStringList lines = decodeGb2312(stream).split(QStringLiteral("\r\n"));
    if (lines.takeLast() != QString()) {
        *why = QStringLiteral("the stream does not end with a whole line");
        return -1;
    }
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = line.match(lines.at(i));
        if (!match.hasMatch() || match.captured(1).toInt() != i + 1) {
            *why = QStringLiteral("line %1 reads: %2").arg(i + 1).arg(lines.at(i));
            return -1;
        }
    }
    return lines.size();
}

// Turns the instrument's debug output on as an earlier session would have left it.
void switchDebugOn()
{
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray answer;
    QCOMPARE(
            sendAndReceive(port, makeWriteItemFrame(kDebugSwitchItem, QStringLiteral("1")), answer),
            LinkOk);
}
} // namespace

// The listening thread against the simulated instrument: the debug switch
// around a run, how bytes are grouped into bursts, floods, and runs that end
// on their own.
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
    void runEndsWithMessage_data();
    void runEndsWithMessage();

private:
    QTemporaryDir m_dir;
};

void TestMonitorThread::debugSwitch_data()
{
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("staleFlood"); // debug output already flooding when the run starts
    QTest::addColumn<QByteArrayList>("frames");

    QTest::newRow("on: switched on, and off at the stop")
            << true << false << QByteArrayList{kDebugOnFrame, kDebugOffFrame};
    QTest::newRow("off: switched off, nothing at the stop")
            << false << false << QByteArrayList{kDebugOffFrame};
    QTest::newRow("off while an earlier session's flood still runs")
            << false << true << QByteArrayList{kDebugOnFrame, kDebugOffFrame};
    QTest::newRow("on while an earlier session's flood still runs")
            << true << true << QByteArrayList{kDebugOnFrame, kDebugOnFrame, kDebugOffFrame};
}

void TestMonitorThread::debugSwitch()
{
    QFETCH(bool, debug);
    QFETCH(bool, staleFlood);
    QFETCH(QByteArrayList, frames);

    InstrumentSimulator sim;
    const QString error = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    if (staleFlood) {
        sim.setDebugFlood(true);
        switchDebugOn();
    }
    MonitorThread thread;
    Watched watched(thread);
    thread.setDebug(debug);
    thread.start();
    QVERIFY(sim.waitForFrames(staleFlood ? 2 : 1, kRunTimeoutMs));
    QTest::qWait(kListenMs);
    thread.stop();

    QVERIFY(thread.isFinished());
    QCOMPARE(watched.messages(), QStringList());
    QCOMPARE(sim.receivedFrames(), frames);
    QCOMPARE(sim.debugOutputOn(), false);
}

void TestMonitorThread::burstGaps_data()
{
    QTest::addColumn<int>("periodMs"); // between the starts of debug lines, 5 ms each on the line
    QTest::addColumn<bool>("oneBurst");

    QTest::newRow("30 ms apart: one burst") << 30 << true;
    QTest::newRow("80 ms apart: a burst each") << 80 << false;
}

void TestMonitorThread::burstGaps()
{
    QFETCH(int, periodMs);
    QFETCH(bool, oneBurst);
    constexpr int kLines = 4;

    InstrumentSimulator sim;
    sim.setDebugLinePeriodMs(periodMs);
    const QString error = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    MonitorThread thread;
    Watched watched(thread);
    thread.setDebug(true);
    thread.start();
    QVERIFY(sim.waitForFrames(1, kRunTimeoutMs));
    QTest::qWait(kLines * periodMs);
    sim.faults().setSilent(true); // the lines stop, the one on the line goes out whole
    QTRY_COMPARE_WITH_TIMEOUT(watched.bytes(), sim.debugBytesSent(), kRunTimeoutMs);

    QString why;
    const int lines = countNumberedLines(watched.received().join(), &why);
    QVERIFY2(lines >= 2, qPrintable(why));
    QCOMPARE(watched.bursts.count(), oneBurst ? 1 : lines);
    sim.faults().setSilent(false);
    thread.stop();
    QCOMPARE(watched.messages(), QStringList());
}

void TestMonitorThread::flood_data()
{
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<QString>("cutAt"); // the limit that cuts: size, age, or either

    QTest::newRow("115200 baud: cut at the size limit") << SimTest::kBaudRate << "size";
    // The size limit takes just over the age limit to fill here: either may cut.
    QTest::newRow("9600 baud") << SimTest::kSlowBaudRate << "either";
    QTest::newRow("4800 baud: cut at the age limit") << 4800 << "age";
}

void TestMonitorThread::flood()
{
    QFETCH(int, baudRate);
    QFETCH(QString, cutAt);

    InstrumentSimulator sim;
    sim.setDebugFlood(true);
    const QString error = SimTest::startOnConfiguredPort(sim, baudRate);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    MonitorThread thread;
    Watched watched(thread);
    thread.setDebug(true);
    thread.start();

    // Bursts arrive while the instrument has not paused once.
    QTRY_VERIFY_WITH_TIMEOUT(watched.bursts.count() >= 2, kFloodWaitMs);
    const QByteArrayList duringFlood = watched.received();
    sim.faults().setSilent(true);
    QTRY_COMPARE_WITH_TIMEOUT(watched.bytes(), sim.debugBytesSent(), kRunTimeoutMs);

    QString why;
    QVERIFY2(countNumberedLines(watched.received().join(), &why) > 0, qPrintable(why));
    for (const QByteArray &burst : watched.received()) {
        QVERIFY(burst.size() <= MonitorThread::kMaxBurstBytes);
        QCOMPARE(encodeGb2312(decodeGb2312(burst)), burst); // no character cut in two
    }
    const int largest = std::max_element(duringFlood.begin(), duringFlood.end(),
                                         [](const QByteArray &a, const QByteArray &b) {
                                             return a.size() < b.size();
                                         })
                                ->size();
    if (cutAt == QLatin1String("size"))
        QVERIFY(largest >= MonitorThread::kMaxBurstBytes - 1);
    else if (cutAt == QLatin1String("age"))
        QVERIFY(largest < MonitorThread::kMaxBurstBytes - 1);

    // Switching off while the flood runs again: the answer is found among the lines.
    sim.faults().setSilent(false);
    thread.stop();
    QCOMPARE(watched.messages(), QStringList());
    QCOMPARE(sim.receivedFrames().last(), kDebugOffFrame);
}

void TestMonitorThread::stopDuringFlood()
{
    InstrumentSimulator sim;
    sim.setDebugFlood(true);
    // Slow enough to stay below both limits until the stop: only the stop hands the bytes out.
    const QString error = SimTest::startOnConfiguredPort(sim, SimTest::kSlowBaudRate);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    MonitorThread thread;
    Watched watched(thread);
    thread.setDebug(true);
    thread.start();
    QVERIFY(sim.waitForFrames(1, kRunTimeoutMs));
    QTest::qWait(3 * kListenMs);
    QCOMPARE(watched.bursts.count(), 0);
    thread.stop();

    // What came before the stop is a stretch of the flood from its first line on.
    const QByteArray shown = watched.received().join();
    QVERIFY(!shown.isEmpty());
    QVERIFY(shown.startsWith("DBG #1 "));
    QVERIFY(shown.size() <= sim.debugBytesSent());
    const int lastBreak = shown.lastIndexOf("\r\n") + 2;
    QString why;
    QVERIFY2(countNumberedLines(shown.left(lastBreak), &why) >= 0, qPrintable(why));
    QCOMPARE(watched.messages(), QStringList());
    QCOMPARE(sim.receivedFrames().last(), kDebugOffFrame);
}

void TestMonitorThread::runEndsWithMessage_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<bool>("pullCable"); // the port vanishes once the run shows bytes
    QTest::addColumn<QString>("message");

    QTest::newRow("debug switch unanswered")
            << Arrange([](InstrumentSimulator &s) { s.faults().setSilent(true); }) << false
            << "监听调试: 接受数据超时";
    QTest::newRow("port missing") << Arrange([](InstrumentSimulator &) {
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort,
                                                QStringLiteral("/dev/norvo-none"));
    }) << false << "设备监听: 打开串口失败: /dev/norvo-none";
    QTest::newRow("port vanishes on a quiet line")
            << Arrange([](InstrumentSimulator &s) { s.setDebugLinePeriodMs(100); }) << true
            << "设备监听: 串口已断开";
    QTest::newRow("port vanishes during a flood")
            << Arrange([](InstrumentSimulator &s) { s.setDebugFlood(true); }) << true
            << "设备监听: 串口已断开";
}

void TestMonitorThread::runEndsWithMessage()
{
    QFETCH(Arrange, arrange);
    QFETCH(bool, pullCable);
    QFETCH(QString, message);

    InstrumentSimulator sim;
    const QString error = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    arrange(sim);
    MonitorThread thread;
    Watched watched(thread);
    thread.setDebug(true);
    thread.start();
    if (pullCable) {
        QTRY_VERIFY_WITH_TIMEOUT(watched.bursts.count() > 0, kRunTimeoutMs);
        sim.stop();
    }

    // The run ends by itself: no spinning on a dead port, no listening without the switch.
    QVERIFY(thread.wait(kRunTimeoutMs));
    QCOMPARE(watched.messages(), QStringList{message});
    if (!pullCable)
        QCOMPARE(watched.bursts.count(), 0);
}

QTEST_GUILESS_MAIN(TestMonitorThread)
#include "tst_monitorthread.moc"
