#include "clocksync.h"
#include "commandset.h"
#include "config.h"
#include "instrumentsimulator.h"
#include "settingskeys.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QTemporaryDir>

namespace {
constexpr int kFrameWaitMs = 2000;

enum class Line { Good, Refusing, ExtraByte, Silent, NoSuchPort };
} // namespace

Q_DECLARE_METATYPE(ClockSyncOutcome)
Q_DECLARE_METATYPE(Line)

// Setting the instrument's clock against the simulated instrument.
class TestClockSync : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sync_data();
    void sync();
    void frameForMoment_data();
    void frameForMoment();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestClockSync::initTestCase()
{
    QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
}

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
    QTest::addColumn<Line>("line");
    QTest::addColumn<ClockSyncOutcome>("outcome");
    QTest::addColumn<QString>("error"); // "%1" stands for the configured port

    QTest::newRow("acknowledged") << Line::Good << ClockSyncOutcome::Acknowledged << "";
    QTest::newRow("refused") << Line::Refusing << ClockSyncOutcome::Refused << "同步时间失败";
    QTest::newRow("extra byte after the acknowledgement")
            << Line::ExtraByte << ClockSyncOutcome::LinkError << "CRC校验错误";
    QTest::newRow("silent") << Line::Silent << ClockSyncOutcome::LinkError << "接受数据超时";
    QTest::newRow("no such port") << Line::NoSuchPort << ClockSyncOutcome::PortOpenFailed
                                  << "打开串口失败: %1";
}

void TestClockSync::sync()
{
    QFETCH(Line, line);
    QFETCH(ClockSyncOutcome, outcome);
    QFETCH(QString, error);

    switch (line) {
    case Line::Good:
        break;
    case Line::Refusing:
        m_sim->faults().replaceAnswers(QByteArray("\xFF\x03\x02\x4E\x47\xE4\x02", 7));
        break;
    case Line::ExtraByte:
        m_sim->faults().appendExtraByte(1);
        break;
    case Line::Silent:
        m_sim->faults().setSilent(true);
        break;
    case Line::NoSuchPort:
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort,
                                                m_dir.filePath("ttyNone"));
        break;
    }

    const ClockSyncResult result = syncDeviceClock();
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.isAcknowledged(), outcome == ClockSyncOutcome::Acknowledged);
    if (error.contains(QLatin1String("%1")))
        error = error.arg(configuredPortName());
    QCOMPARE(result.errorText, error);
    if (line == Line::NoSuchPort) {
        QCOMPARE(m_sim->receivedByteCount(), 0);
        return;
    }
    QVERIFY(m_sim->waitForFrames(1, kFrameWaitMs));
    QCOMPARE(m_sim->receivedFrames().size(), 1);
    QCOMPARE(m_sim->receivedFrames().at(0).size(), 16);
}

void TestClockSync::frameForMoment_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("Monday 2018-03-05 14:07:09")
            << QDateTime(QDate(2018, 3, 5), QTime(14, 7, 9))
            << QByteArray::fromHex("FF 0F 4D 08 00 03 07 12 03 05 0E 07 09 01 59 E0");
    // Weekday 7 on a Sunday, year byte 0 in 2000.
    QByteArray sunday = QByteArray::fromHex("FF 0F 4D 08 00 03 07 00 01 02 17 3B 3B 07");
    appendCrc(sunday);
    QTest::newRow("Sunday 2000-01-02 23:59:59")
            << QDateTime(QDate(2000, 1, 2), QTime(23, 59, 59)) << sunday;
}

void TestClockSync::frameForMoment()
{
    QFETCH(QDateTime, moment);
    QFETCH(QByteArray, frame);

    QVERIFY(syncDeviceClock(moment).isAcknowledged());
    QVERIFY(m_sim->waitForFrames(1, kFrameWaitMs));
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{frame});
    QCOMPARE(m_sim->storedClock(), moment);
    QCOMPARE(m_sim->storedWeekday(), moment.date().dayOfWeek());
}

QTEST_GUILESS_MAIN(TestClockSync)
#include "tst_clocksync.moc"
