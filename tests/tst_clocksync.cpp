#include "clocksync.h"
#include "commandset.h"
#include "simtestsupport.h"

#include <QtTest>

#include <functional>
#include <memory>

using Arrange = std::function<void(FaultPlan &)>;
Q_DECLARE_METATYPE(Arrange)
Q_DECLARE_METATYPE(ClockSyncOutcome)

// Setting the clock of the simulated instrument.
class TestClockSync : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void init();
    void cleanup();
    void sync_data();
    void sync();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestClockSync::init()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    const QString error = SimTest::startOnConfiguredPort(*m_sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestClockSync::cleanup()
{
    m_sim.reset();
    SimTest::resetSettings();
}

void TestClockSync::sync_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<ClockSyncOutcome>("outcome");
    QTest::addColumn<QString>("error");

    // "NG" in place of "OK": a good answer, but not the acknowledgement.
    const Arrange refusing = [](FaultPlan &f) {
        f.replaceAnswers(QByteArray::fromHex("FF03024E47E402"));
    };
    const Arrange noSuchPort = [](FaultPlan &) {
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, "/dev/norvo-none");
    };
    QTest::newRow("acknowledged") << Arrange() << ClockSyncOutcome::Acknowledged << QString();
    QTest::newRow("refused") << refusing << ClockSyncOutcome::Refused << "同步时间失败";
    QTest::newRow("extra byte after the acknowledgement")
            << Arrange([](FaultPlan &f) { f.appendExtraByte(1); }) << ClockSyncOutcome::LinkError
            << "CRC校验错误";
    QTest::newRow("silent") << Arrange([](FaultPlan &f) { f.setSilent(true); })
                            << ClockSyncOutcome::LinkError << "接受数据超时";
    QTest::newRow("no such port") << noSuchPort << ClockSyncOutcome::PortOpenFailed
                                  << "打开串口失败: /dev/norvo-none";
}

void TestClockSync::sync()
{
    QFETCH(Arrange, arrange);
    QFETCH(ClockSyncOutcome, outcome);
    QFETCH(QString, error);
    if (arrange)
        arrange(m_sim->faults());

    // A Sunday, so the weekday byte is 7.
    const QDateTime moment(QDate(2000, 1, 2), QTime(23, 59, 59));
    const ClockSyncResult result = syncDeviceClock(moment);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.errorText, error);
    if (outcome == ClockSyncOutcome::PortOpenFailed) {
        QCOMPARE(m_sim->receivedByteCount(), 0);
        return;
    }
    QVERIFY(m_sim->waitForFrames(1, 2000));
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{makeClockFrame(moment)});
    if (result.isAcknowledged()) {
        QCOMPARE(m_sim->storedClock(), moment);
        QCOMPARE(m_sim->storedWeekday(), 7);
    }
}

QTEST_GUILESS_MAIN(TestClockSync)
#include "tst_clocksync.moc"
