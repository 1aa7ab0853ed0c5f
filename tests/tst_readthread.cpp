#include "commandset.h"
#include "historyrequest.h"
#include "readthread.h"
#include "simtestsupport.h"

#include <QtTest>

#include <functional>

using Arrange = std::function<void(InstrumentSimulator &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kQueryTimeoutMs = 15000;
constexpr int kLateChunkMs = 150;
const QDate kDay(2018, 1, 5);

// Every signal of one query in the order it came: "clear", "add:<text>" or "error:<title>|<text>".
QStringList recordSignals(ReadThread &thread)
{
    QStringList seen;
    QObject receiver; // on this thread, so the signals arrive queued as in the dialog
    QObject::connect(&thread, &ReadThread::signalClearText, &receiver, [&] { seen << "clear"; });
    QObject::connect(&thread, &ReadThread::signalAddText, &receiver,
                     [&](const QString &text) { seen << "add:" + text; });
    QObject::connect(&thread, &ReadThread::signalShowError, &receiver,
                     [&](const QString &title, const QString &error) {
                         seen << "error:" + title + '|' + error;
                     });
    thread.startQuery(makeHistoryRequest(kDay, kDay));
    if (!thread.wait(kQueryTimeoutMs))
        seen << "still running";
    QCoreApplication::sendPostedEvents();
    return seen;
}

// The texts of all "add:" entries, joined.
QString addedText(const QStringList &seen)
{
    QString text;
    for (const QString &entry : seen) {
        if (entry.startsWith(QLatin1String("add:")))
            text += entry.mid(4);
    }
    return text;
}
} // namespace

// The history reader against the simulated instrument over a pseudo-terminal.
class TestReadThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void query_data();
    void query();
    void stopWhileStreaming();
    void portVanishesMidAnswer();

private:
    QTemporaryDir m_dir;
};

void TestReadThread::query_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QString>("port"); // null: the simulator's
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("text");  // how all chunks joined begin
    QTest::addColumn<int>("lines");     // CR LF line ends in all of them
    QTest::addColumn<QString>("error"); // "title|text", empty for none

    const QString day = QStringLiteral("时间,温度,压力,流量\r\n2018-01-05 00:00:00,");
    QTest::newRow("a day of records") << Arrange() << QString() << 115200 << day << 5 << QString();
    QTest::newRow("a day of records at 9600 baud")
            << Arrange() << QString() << 9600 << day << 5 << QString();
    QTest::newRow("a day without records: the header alone")
            << Arrange([](InstrumentSimulator &s) { s.setHistoryRecordsPerDay(0); }) << QString()
            << 115200 << "时间,温度,压力,流量\r\n"
            << 1 << QString();
    const QList<ReplyChunk> chunks{
            {"a,1\r\n", 0}, {"b,2\r\n", 20}, {"c,3\r\n", 20}, {"d,4\r\n", 80}};
    QTest::newRow("chunks 20 ms apart in order, one 80 ms later not read")
            << Arrange([=](InstrumentSimulator &s) { s.faults().replaceAnswers(chunks); })
            << QString() << 115200 << "a,1\r\nb,2\r\nc,3\r\n"
            << 3 << QString();
    const QByteArray header = encodeGb2312(QStringLiteral("时间,温度\r\n"));
    QTest::newRow("character split between chunks") << Arrange([=](InstrumentSimulator &s) {
        s.faults().replaceAnswers({{header.left(3), 0}, {header.mid(3), 20}});
    }) << QString() << 9600 << "时间,温度\r\n" << 1 << QString();
    QTest::newRow("silent instrument")
            << Arrange([](InstrumentSimulator &s) { s.faults().setSilent(true); }) << QString()
            << 115200 << QString() << 0 << "查询|接受数据超时";
    QTest::newRow("no port configured")
            << Arrange() << "" << 115200 << QString() << 0 << "查询|打开串口失败: ";
}

void TestReadThread::query()
{
    QFETCH(Arrange, arrange);
    QFETCH(QString, port);
    QFETCH(int, baud);
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(QString, error);

    InstrumentSimulator sim;
    sim.setBaudRate(baud);
    if (arrange)
        arrange(sim);
    const QString simError = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(simError.isEmpty(), qPrintable(simError));
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialBaudRate, baud);
    if (!port.isNull())
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, port);

    ReadThread thread;
    const QStringList seen = recordSignals(thread);
    // The view is cleared once, before any text, and only when the port opened.
    QCOMPARE(seen.value(0) == QLatin1String("clear"), port.isNull());
    QCOMPARE(seen.count(QStringLiteral("clear")), port.isNull() ? 1 : 0);
    const QString added = addedText(seen);
    QVERIFY2(added.startsWith(text), qPrintable(added));
    QCOMPARE(added.count(QStringLiteral("\r\n")), lines);
    QCOMPARE(seen.filter(QStringLiteral("error:")),
             error.isEmpty() ? QStringList() : QStringList{"error:" + error});

    // A chunk that came too late waits in the port until the next query discards it.
    sim.faults().clear();
    QTest::qWait(kLateChunkMs);
    if (port.isNull() && error.isEmpty())
        QVERIFY(addedText(recordSignals(thread)).startsWith(QStringLiteral("时间")));
}

void TestReadThread::stopWhileStreaming()
{
    InstrumentSimulator sim;
    sim.faults().streamAfterNextRequest();
    const QString simError = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(simError.isEmpty(), qPrintable(simError));

    ReadThread thread;
    QSignalSpy added(&thread, &ReadThread::signalAddText);
    QSignalSpy errors(&thread, &ReadThread::signalShowError);
    thread.startQuery(makeHistoryRequest(kDay, kDay));
    QVERIFY(added.wait(kQueryTimeoutMs));
    thread.cancelQuery();
    const int addedAtStop = added.count();
    QVERIFY(thread.wait(kQueryTimeoutMs)); // the stream goes on; the reader does not
    QCoreApplication::processEvents();
    QVERIFY(added.count() <= addedAtStop + 1);
    QCOMPARE(errors.count(), 0);
}

void TestReadThread::portVanishesMidAnswer()
{
    InstrumentSimulator sim;
    sim.setHistoryRecordsPerDay(2000); // several seconds on the line
    const QString simError = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(simError.isEmpty(), qPrintable(simError));

    ReadThread thread;
    QSignalSpy added(&thread, &ReadThread::signalAddText);
    QSignalSpy errors(&thread, &ReadThread::signalShowError);
    thread.startQuery(makeHistoryRequest(kDay, kDay));
    QVERIFY(added.wait(kQueryTimeoutMs));
    sim.stop();
    QVERIFY(thread.wait(kQueryTimeoutMs));
    QCoreApplication::processEvents();
    // A cut-off answer is not passed off as the whole one.
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first(), (QVariantList{"查询", "串口已断开"}));
}

QTEST_GUILESS_MAIN(TestReadThread)
#include "tst_readthread.moc"
