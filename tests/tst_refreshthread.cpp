#include "commandset.h"
#include "refreshthread.h"
#include "simtestsupport.h"
#include "workerwatch.h"

#include <QtTest>

namespace {
// 65 GB2312 characters, so the answer's length byte is above 0x7F.
const QString kLongName(65, QChar(0x6D4B));
} // namespace

// What only the reading thread shows: the list's upper end, the open failures
// and answers the window tests do not meet.
class TestRefreshThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void reading_data();
    void reading();

private:
    QTemporaryDir m_dir;
};

void TestRefreshThread::reading_data()
{
    QTest::addColumn<QString>("port");      // null: the simulator's
    QTest::addColumn<QByteArray>("answer"); // every answer, before its CRC; null: the item's own
    QTest::addColumn<int>("added");         // signalAddItems emitted
    QTest::addColumn<QStringList>("first"); // fields of the first row
    QTest::addColumn<QString>("error");     // showErrorMessage text, empty for none

    QTest::newRow("long text whole, value with its colon")
            << QString() << QByteArray() << 1 << QStringList{kLongName, "12:30"} << QString();
    QTest::newRow("never-ending list stops after item 255")
            << QString() << QByteArray::fromHex("FF0303 783A31")
            << RefreshThread::kLastItemNumber + 1 << QStringList{"x", "1"} << QString();
    QTest::newRow("wrong address") << QString() << QByteArray::fromHex("FE0301 61") << 0
                                   << QStringList() << "地址或命令校验错误";
    QTest::newRow("no port configured")
            << "" << QByteArray() << 0 << QStringList() << "串口打开失败";
    QTest::newRow("port missing") << "/dev/norvo-none" << QByteArray() << 0 << QStringList()
                                  << "打开串口失败: /dev/norvo-none";
}

void TestRefreshThread::reading()
{
    QFETCH(QString, port);
    QFETCH(QByteArray, answer);
    QFETCH(int, added);
    QFETCH(QStringList, first);
    QFETCH(QString, error);

    InstrumentSimulator sim;
    ItemSet items;
    items.append(SimItem(kLongName, QStringLiteral("12:30")));
    sim.setItems(items);
    if (!answer.isNull()) {
        appendCrc(answer);
        sim.faults().replaceAnswers(answer, FaultPlan::kEveryTime);
    }
    const QString simError = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(simError.isEmpty(), qPrintable(simError));
    if (!port.isNull())
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, port);

    RefreshThread thread;
    QSignalSpy cleared(&thread, &RefreshThread::signalClearItems);
    QSignalSpy rows(&thread, &RefreshThread::signalAddItems);
    QSignalSpy errors(&thread, &RefreshThread::showErrorMessage);
    WorkerWatch watch(thread);
    thread.start();
    QVERIFY(watch.waitForEnd(30000));

    QCOMPARE(cleared.count(), port.isNull() ? 1 : 0); // a port failure keeps the tree
    QCOMPARE(rows.count(), added);
    if (added > 0)
        QCOMPARE(rows.at(0).at(1).toStringList(), first);
    QCOMPARE(errors.count(), error.isEmpty() ? 0 : 1);
    if (!error.isEmpty())
        QCOMPARE(errors.at(0), (QVariantList{"刷新", error, ":/image/refresh.png"}));
}

QTEST_GUILESS_MAIN(TestRefreshThread)
#include "tst_refreshthread.moc"
