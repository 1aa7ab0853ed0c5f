#include "commandset.h"
#include "itemwriter.h"
#include "simtestsupport.h"

#include <QtTest>

Q_DECLARE_METATYPE(ItemWriteOutcome)

// Writing one item when the port, the link or the value fails; the echoes are
// covered through the window.
class TestItemWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void failure_data();
    void failure();

private:
    QTemporaryDir m_dir;
};

void TestItemWriter::failure_data()
{
    QTest::addColumn<QString>("port"); // null: the simulator's
    QTest::addColumn<QString>("value");
    QTest::addColumn<ItemWriteOutcome>("outcome");
    QTest::addColumn<QString>("error");

    QTest::newRow("no such port") << "/dev/norvo-none"
                                  << "12" << ItemWriteOutcome::PortOpenFailed
                                  << "打开串口失败: /dev/norvo-none";
    QTest::newRow("silent instrument")
            << QString() << "12" << ItemWriteOutcome::LinkError << "接受数据超时";
    QTest::newRow("too long, nothing sent") << QString() << QString(128, QChar(0x6D41))
                                            << ItemWriteOutcome::TooLong << "写入配置失败,数值过长";
}

void TestItemWriter::failure()
{
    QFETCH(QString, port);
    QFETCH(QString, value);
    QFETCH(ItemWriteOutcome, outcome);
    QFETCH(QString, error);

    InstrumentSimulator sim;
    sim.faults().setSilent(true);
    const QString simError = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(simError.isEmpty(), qPrintable(simError));
    if (!port.isNull())
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, port);

    const ItemWriteResult result = writeItemToDevice(0, value, kValueItemFields);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.errorText, error);
    if (outcome == ItemWriteOutcome::LinkError)
        QCOMPARE(sim.receivedFrames(), QList<QByteArray>{makeWriteItemFrame(0, value)});
    else
        QCOMPARE(sim.receivedByteCount(), 0);
}

QTEST_GUILESS_MAIN(TestItemWriter)
#include "tst_itemwriter.moc"
