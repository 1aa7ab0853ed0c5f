#include "commandset.h"
#include "historyrequest.h"
#include "readthread.h"
#include "simtestsupport.h"
#include "workerwatch.h"

#include <QtTest>

#include <functional>

using Arrange = std::function<void(InstrumentSimulator &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kQueryTimeoutMs = 15000;
constexpr int kLateChunkMs = 150; // a chunk sent after the query ended has arrived by then
const QDate kDay(2018, 1, 5);
const QString kHeader = QStringLiteral("时间,温度,压力,流量\r\n");

// The signals of one query in the order they arrived: "clear", the added
// texts, "error:<title>|<text>".
QStringList query(ReadThread &thread)
{
    QStringList seen;
    QObject receiver; // on this thread, so the signals arrive queued as in the dialog
    QObject::connect(&thread, &ReadThread::signalClearText, &receiver, [&] { seen << "clear"; });
    QObject::connect(&thread, &ReadThread::signalAddText, &receiver,
                     [&](const QString &text) { seen << text; });
    QObject::connect(&thread, &ReadThread::signalShowError, &receiver,
                     [&](const QString &title, const QString &error) {
                         seen << "error:" + title + '|' + error;
                     });
    WorkerWatch watch(thread);
    thread.startQuery(makeHistoryRequest(kDay, kDay));
    if (!watch.waitForEnd(kQueryTimeoutMs))
        seen << "still running";
    QCoreApplication::sendPostedEvents();
    return seen;
}
} // namespace

// The history request, and the reader against the simulated instrument over a pseudo-terminal.
class TestReadThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void request_data();
    void request();
    void answer_data();
    void answer();
    void interrupted_data();
    void interrupted();

private:
    QTemporaryDir m_dir;
};

void TestReadThread::request_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QByteArray>("start"); // the frame's first bytes, or all 19
    QTest::newRow("5 January to 10 February 2018")
            << QDate(2018, 1, 5) << QDate(2018, 2, 10)
            << QByteArray::fromHex("7E05024E9F0007910004 120105 12020A FAAC 7F");
    QTest::newRow("one day") << QDate(2018, 3, 1) << QDate(2018, 3, 1)
                             << QByteArray::fromHex("7E05024E9F0007910004 120301 120301 5D94 7F");
    QTest::newRow("2000 and 2099 without the century")
            << QDate(2000, 1, 1) << QDate(2099, 12, 31)
            << QByteArray::fromHex("7E05024E9F0007910004 000101 630C1F");
}

void TestReadThread::request()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QByteArray, start);
    const QByteArray frame = makeHistoryRequest(first, last);
    QCOMPARE(frame.size(), 19);
    QCOMPARE(frame.left(start.size()).toHex(' '), start.toHex(' '));
    QCOMPARE(frame.at(18), char(0x7F));
}

void TestReadThread::answer_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("text");  // how the added texts joined begin
    QTest::addColumn<int>("lines");     // CR LF line ends in them
    QTest::addColumn<QString>("error"); // the last signal, "error:…", or empty

    const QString day = kHeader + "2018-01-05 00:00:00,";
    QTest::newRow("a day of records") << Arrange() << 115200 << day << 5 << QString();
    QTest::newRow("a day without records: the header alone")
            << Arrange([](InstrumentSimulator &s) { s.setHistoryRecordsPerDay(0); }) << 115200
            << kHeader << 1 << QString();
    const QList<ReplyChunk> chunks{
            {"a,1\r\n", 0}, {"b,2\r\n", 20}, {"c,3\r\n", 20}, {"d,4\r\n", 80}};
    QTest::newRow("chunks 20 ms apart in order, one 80 ms later not read")
            << Arrange([=](InstrumentSimulator &s) { s.faults().replaceAnswers(chunks); }) << 115200
            << "a,1\r\nb,2\r\nc,3\r\n"
            << 3 << QString();
    const QByteArray header = encodeGb2312(kHeader);
    QTest::newRow("character split between chunks") << Arrange([=](InstrumentSimulator &s) {
        s.faults().replaceAnswers({{header.left(3), 0}, {header.mid(3), 20}});
    }) << 9600 << kHeader << 1 << QString();
    QTest::newRow("silent instrument, after the view was cleared")
            << Arrange([](InstrumentSimulator &s) { s.faults().setSilent(true); }) << 115200
            << QString() << 0 << "error:查询|接受数据超时";
    QTest::newRow("no port configured: the view is not cleared")
            << Arrange([](InstrumentSimulator &) {
                   singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, QString());
               })
            << 115200 << QString() << 0 << "error:查询|打开串口失败: ";
}

void TestReadThread::answer()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, baud);
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(QString, error);

    InstrumentSimulator sim;
    QCOMPARE(SimTest::startOnConfiguredPort(sim, baud), QString());
    if (arrange)
        arrange(sim);

    ReadThread thread;
    QStringList seen = query(thread);
    const bool opened = !error.contains(QStringLiteral("打开串口失败"));
    QCOMPARE(seen.count(QStringLiteral("clear")), opened ? 1 : 0);
    if (opened)
        QCOMPARE(seen.takeFirst(), QStringLiteral("clear")); // before any text
    if (!error.isEmpty())
        QCOMPARE(seen.takeLast(), error);
    const QString added = seen.join(QString());
    QVERIFY2(added.startsWith(text), qPrintable(added));
    QCOMPARE(added.count(QStringLiteral("\r\n")), lines);
    QVERIFY(!added.contains(QLatin1String("error:")));

    // A chunk that came too late waits in the port until the next query discards it.
    sim.faults().clear();
    QTest::qWait(kLateChunkMs);
    if (opened && error.isEmpty())
        QVERIFY(query(thread).mid(1).join(QString()).startsWith(kHeader));
}

void TestReadThread::interrupted_data()
{
    QTest::addColumn<bool>("cancel"); // or the port vanishes
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("stop while chunks keep coming") << true << QStringList();
    QTest::newRow("port vanishes mid-answer") << false << QStringList{"查询", "串口已断开"};
}

void TestReadThread::interrupted()
{
    QFETCH(bool, cancel);
    QFETCH(QStringList, errors);
    InstrumentSimulator sim;
    sim.faults().streamAfterNextRequest();
    QCOMPARE(SimTest::startOnConfiguredPort(sim), QString());

    ReadThread thread;
    // Counted as the worker sends them, so "before the stop" means what it says.
    std::atomic<int> added{0};
    QObject::connect(
            &thread, &ReadThread::signalAddText, &thread, [&] { ++added; }, Qt::DirectConnection);
    QSignalSpy failed(&thread, &ReadThread::signalShowError);
    WorkerWatch watch(thread);
    thread.startQuery(makeHistoryRequest(kDay, kDay));
    QTRY_VERIFY_WITH_TIMEOUT(added > 0, kQueryTimeoutMs);
    if (cancel)
        thread.cancelQuery();
    else
        sim.stop();
    const int addedBefore = added;
    QVERIFY(watch.waitForEnd(kQueryTimeoutMs)); // the stream goes on; the reader does not
    QVERIFY(added <= addedBefore + 1);          // at most the chunk in hand
    QCOMPARE(failed.value(0, QVariantList()), QVariantList(errors.begin(), errors.end()));
}

QTEST_GUILESS_MAIN(TestReadThread)
#include "tst_readthread.moc"
