#include "commandset.h"
#include "guiresources.h"
#include "historydata.h"
#include "historyrequest.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "readthread.h"
#include "simtestsupport.h"
#include "workerwatch.h"

#include <QtTest>

#include <QAction>
#include <QDateEdit>
#include <QPushButton>
#include <QTextEdit>

#include <functional>
#include <memory>

using Arrange = std::function<void(InstrumentSimulator &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kQueryTimeoutMs = 15000;
constexpr int kLateChunkMs = 150; // a chunk sent after the query ended has arrived by then
const QDate kDay(2018, 1, 5);
const QString kHeader = QStringLiteral("时间,温度,压力,流量\r\n");

// The signals of one query in the order they arrived: "clear", the added
// texts, "error:<title>|<text>".
QStringList runQuery(ReadThread &thread)
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
const QString kToday = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

void click(const QWidget &dialog, const QString &button)
{
    dialog.findChild<QPushButton *>(button)->click();
}
} // namespace

// History records against the simulated instrument over a pseudo-terminal:
// the request, the reader, and the dialog as the user meets it (dates, query,
// view, export, leaving).
class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
    }
    void cleanup()
    {
        m_sim.reset();
        SimTest::resetSettings();
    }
    void request_data();
    void request();
    void answer_data();
    void answer();
    void interrupted_data();
    void interrupted();
    void query_data();
    void query();
    void leaveWhileQuerying_data();
    void leaveWhileQuerying();

private:
    void startSimulator()
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim), QString());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestHistory::request_data()
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

void TestHistory::request()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QByteArray, start);
    const QByteArray frame = makeHistoryRequest(first, last);
    QCOMPARE(frame.size(), 19);
    QCOMPARE(frame.left(start.size()).toHex(' '), start.toHex(' '));
    QCOMPARE(frame.at(18), char(0x7F));
}

void TestHistory::answer_data()
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

void TestHistory::answer()
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
    QStringList seen = runQuery(thread);
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
        QVERIFY(runQuery(thread).mid(1).join(QString()).startsWith(kHeader));
}

void TestHistory::interrupted_data()
{
    QTest::addColumn<bool>("cancel"); // or the port vanishes
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("stop while chunks keep coming") << true << QStringList();
    QTest::newRow("port vanishes mid-answer") << false << QStringList{"查询", "串口已断开"};
}

void TestHistory::interrupted()
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

void TestHistory::query_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("startAfterEnd"); // days
    QTest::addColumn<QString>("view");      // how the view's text begins
    QTest::addColumn<int>("lines"); // of the view, the empty one after the last line end included
    QTest::addColumn<QStringList>("boxes"); // "title: text"; the query, then a CSV export
    QTest::addColumn<QByteArray>("csv");    // how the exported file begins

    QTest::newRow("start after end: nothing sent")
            << Arrange() << 1 << "旧文本" << 1
            << QStringList{"查询: 起始日期应该小于或等于结束日期", "导出历史数据: "}
            << QByteArray("旧文本");
    const QList<ReplyChunk> chunks{{"a,1\r", 0}, {"\nb,2\r\n", 20}};
    QTest::newRow("CR LF split between chunks is one line end")
            << Arrange([=](InstrumentSimulator &s) { s.faults().replaceAnswers(chunks); }) << 0
            << "a,1\nb,2\n"
            << 3 << QStringList{"导出历史数据: "} << QByteArray("a,1\nb,2\n");
}

void TestHistory::query()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, startAfterEnd);
    QFETCH(QString, view);
    QFETCH(int, lines);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, csv);
    startSimulator();
    if (arrange)
        arrange(*m_sim);

    HistoryData dialog;
    dialog.slotAddText(QStringLiteral("旧文本"));
    auto *start = dialog.findChild<QDateEdit *>(QStringLiteral("dateStart"));
    start->setDate(start->date().addDays(startAfterEnd));
    ModalDriver driver;
    WorkerWatch reader(*dialog.findChild<ReadThread *>());
    click(dialog, "bntQuery");
    if (startAfterEnd <= 0)
        QVERIFY(reader.waitForEnd(kQueryTimeoutMs));
    QCoreApplication::sendPostedEvents();
    const QTextEdit *text = dialog.findChild<QTextEdit *>();
    QVERIFY2(text->toPlainText().startsWith(view), qPrintable(text->toPlainText()));
    QCOMPARE(text->document()->blockCount(), lines);
    QCOMPARE(m_sim->receivedFrames().size(), startAfterEnd > 0 ? 0 : 1);

    const QString path = m_dir.filePath(QStringLiteral("history.csv"));
    driver.plan(ModalDriver::pickFile(path));
    click(dialog, "bntExportCSV");
    QCOMPARE(driver.summaries(), boxes);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().startsWith(csv));
    QVERIFY(file.remove());
}

void TestHistory::leaveWhileQuerying_data()
{
    QTest::addColumn<bool>("escape"); // or the window's close button
    QTest::newRow("Escape") << true;
    QTest::newRow("close") << false;
}

// The query sits in its 3000 ms wait for an answer when the dialog goes; the
// dialog must not be destroyed before its thread has ended.
void TestHistory::leaveWhileQuerying()
{
    startSimulator();
    QFETCH(bool, escape);
    m_sim->faults().setSilent(true);
    MainWindow window;
    ModalDriver driver;
    bool leftWhileQuerying = false;
    driver.plan([&](QWidget *modal) {
        auto *dialog = qobject_cast<HistoryData *>(modal);
        click(*dialog, "bntQuery");
        leftWhileQuerying = dialog->isQuerying();
        if (escape)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->close();
    });
    window.findChild<QAction *>(QStringLiteral("debug"))->trigger();

    QVERIFY(leftWhileQuerying);
    // The first editor the driver finds is the start date, today when the dialog opens.
    QCOMPARE(driver.summaries(), QStringList{"历史数据: " + kToday});
    QVERIFY(m_sim->waitForFrames(1, kQueryTimeoutMs));
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
