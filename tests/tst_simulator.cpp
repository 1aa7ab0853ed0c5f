#include "commandset.h"
#include "seriallink.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QSerialPort>

// What the other serial tests rely on in the simulated instrument: requests
// recognised only with a good CRC, every byte counted.
class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void garbledAndSplitRequests();

private:
    QTemporaryDir m_dir;
};

// Other tests prove "nothing was sent" by the byte count, so it must see every byte.
void TestSimulator::garbledAndSplitRequests()
{
    InstrumentSimulator sim;
    const QString error = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray badCrc = makeReadItemFrame(2);
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x01);
    const QByteArray good = makeReadItemFrame(1);
    const QByteArray head = QByteArray::fromHex("0013") + badCrc + good.left(3);

    port.write(head);
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(!sim.waitForFrames(1, 50));
    port.write(good.mid(3));
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(sim.waitForFrames(1, kFirstAnswerTimeoutMs));
    QCOMPARE(sim.receivedFrames(), QList<QByteArray>{good});
    QCOMPARE(sim.receivedByteCount(), qint64(head.size() + good.size() - 3));
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
