#include "commandset.h"
#include "guiresources.h"
#include "historydata.h"
#include "historyexport.h"
#include "historypdf.h"
#include "historyrequest.h"
#include "historytable.h"
#include "historytablelayout.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "readthread.h"
#include "simtestsupport.h"
#include "workerwatch.h"

#include <QtTest>

#include <QAction>
#include <QDateEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextEdit>

#include <functional>
#include <memory>

using Arrange = std::function<void(InstrumentSimulator &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kQueryTimeoutMs = 15000;
constexpr int kLateChunkMs = 300; // a chunk sent after the query ended has arrived by then
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

constexpr rlim_t kFullDiskBytes = 4096; // the most a file may grow to on the "full disk"

// Output of a poppler tool.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The non-empty table rows of one page as pdftotext lays them out.
QStringList pdfRows(const QString &fileName, int page)
{
    const QString number = QString::number(page);
    QString text = poppler("pdftotext", {"-layout", "-f", number, "-l", number, fileName, "-"});
    QStringList rows = text.remove(QLatin1Char('\f')).split(QLatin1Char('\n'));
    for (QString &row : rows)
        row = row.simplified();
    rows.removeAll(QString());
    return rows;
}

int pageCount(const QString &fileName)
{
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(poppler("pdfinfo", {fileName})).captured(1).toInt();
}
} // namespace

// History records: the request; the reader against the simulated instrument
// over a pseudo-terminal; the dialog as the user meets it (dates, query, view,
// export, leaving); the answer read as a table and laid out on pages; the CSV
// and PDF exports on real files, the PDF read back with poppler.
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
        QTextCodec::setCodecForLocale(nullptr);
    }
    void answer_data();
    void answer();
    void interrupted_data();
    void interrupted();
    void query_data();
    void query();
    void leaveWhileQuerying_data();
    void leaveWhileQuerying();
    void table_data();
    void table();
    void layout();
    void pdfTable_data();
    void pdfTable();
    void exportFile_data();
    void exportFile();
    void viewText_data();
    void viewText();

private:
    void startSimulator()
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim), QString());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestHistory::answer_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("text");  // how the added texts joined begin
    QTest::addColumn<int>("lines");     // CR LF line ends in them
    QTest::addColumn<QString>("error"); // the last signal, "error:…", or empty

    const QString day = kHeader + "2018-01-05 00:00:00,";
    QTest::newRow("a day of records") << Arrange() << 115200 << day << 5 << QString();
    const QList<ReplyChunk> chunks{
            {"a,1\r\n", 0}, {"b,2\r\n", 5}, {"c,3\r\n", 5}, {"d,4\r\n", 200}};
    // Gaps far from the 50 ms quiet time on both sides, so a loaded machine
    // (or a sanitizer's slowness) cannot move a chunk across it.
    QTest::newRow("chunks 5 ms apart in order, one 200 ms later not read")
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
    QTest::addColumn<QString>("end"); // what ends an answer that never goes quiet
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("stop while chunks keep coming") << "cancel" << QStringList();
    QTest::newRow("port vanishes mid-answer") << "vanish" << QStringList{"查询", "串口已断开"};
    QTest::newRow("answer beyond its bound")
            << "bound" << QStringList{"查询", "应答过长, 已停止读取; 请关闭仪表的调试输出后再查询"};
}

void TestHistory::interrupted()
{
    QFETCH(QString, end);
    QFETCH(QStringList, errors);
    InstrumentSimulator sim;
    sim.faults().streamAfterNextRequest();
    QCOMPARE(SimTest::startOnConfiguredPort(sim), QString());

    ReadThread thread;
    if (end == "bound")
        thread.setAnswerLimit(2048); // reached in a moment
    // Counted as the worker sends them, so "before the stop" means what it says.
    std::atomic<int> added{0};
    QObject::connect(
            &thread, &ReadThread::signalAddText, &thread, [&] { ++added; }, Qt::DirectConnection);
    QSignalSpy failed(&thread, &ReadThread::signalShowError);
    WorkerWatch watch(thread);
    thread.startQuery(makeHistoryRequest(kDay, kDay));
    QTRY_VERIFY_WITH_TIMEOUT(added > 0, kQueryTimeoutMs);
    if (end == "cancel")
        thread.cancelQuery();
    else if (end == "vanish")
        sim.stop();
    const int addedBefore = added;
    QVERIFY(watch.waitForEnd(kQueryTimeoutMs));          // the stream goes on; the reader does not
    QVERIFY(end == "bound" || added <= addedBefore + 1); // at most the chunk in hand
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
            << Arrange() << 1 << "旧文本\n"
            << 2 << QStringList{"查询: 起始日期应该小于或等于结束日期", "导出历史数据: "}
            << QByteArray("旧文本");
    // More lines than the view shows, so the newest must be scrolled to.
    const QList<ReplyChunk> chunks{{"a,1\r", 0},
                                   {"\nb,2\r\n" + QByteArray("c,3\r\n").repeated(40), 5}};
    QTest::newRow("CR LF split between chunks is one line end, the view follows")
            << Arrange([=](InstrumentSimulator &s) { s.faults().replaceAnswers(chunks); }) << 0
            << "a,1\nb,2\n"
            << 43 << QStringList{"导出历史数据: "} << QByteArray("a,1\nb,2\n");
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
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.slotAddText(QStringLiteral("旧文本\n"));
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
    // The newest line is whole inside the view (the last block is the empty one after it).
    const QTextBlock last = text->document()->lastBlock().previous();
    QTRY_VERIFY(text->viewport()->rect().contains(text->cursorRect(QTextCursor(last))));
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

void TestHistory::table_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("rows"); // rowCells of every line, joined with '|'
    QTest::newRow("date and time share the first cell")
            << "时间,通道1,通道2\n2018-01-05 10:00:00,1.5,2.5\n"
            << 3 << QStringList{"时间|通道1|通道2", "2018-01-05 10:00:00|1.5|2.5"};
    QTest::newRow("first two-field line sets the columns")
            << "a\nb\nc\n1 2 3 4 5\nx y z" << 5 << QStringList{"a", "b", "c", "1|2|3|4|5", "x|y|z"};
    QTest::newRow("joined again and again, short and blank lines")
            << "x,y,z\na b c d e\nq,r\n\nend" << 3
            << QStringList{"x|y|z", "a b c|d|e", "q|r", "", "end"};
    QTest::newRow("tabs, trailing and lone separators, CR LF") << "a\tb,c,\r\n ,, \r\n"
                                                               << 2 << QStringList{"a\tb|c", ""};
    QTest::newRow("no two-field line") << "a\nb" << 1 << QStringList{"a", "b"};
}

void TestHistory::table()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(QStringList, rows);
    QCOMPARE(columnCount(text), columns);
    QStringList cells;
    for (const QString &line : textLines(text))
        cells << rowCells(line, columns).join(QLatin1Char('|'));
    QCOMPARE(cells, rows);
}

// A page 1600 x 300, font height 150, time stamp 800 wide, 3 columns: margins
// 100, the first column 1000, the others 200; rows 200 high, so not even one
// fits, yet each page still takes one.
void TestHistory::layout()
{
    const HistoryTableLayout table(1600, 300, 150, 800, 3, 3);
    QCOMPARE(table.rowsPerPage(), 1);
    QCOMPARE(table.pages(), 3);
    QCOMPARE(table.lineIndex(2, 0), 2);
    const QList<int> gridLines{table.columnLeft(0), table.columnLeft(1), table.columnLeft(2),
                               table.columnLeft(3), table.right()};
    QCOMPARE(gridLines, (QList<int>{100, 1100, 1300, 1500, 1500}));
    QCOMPARE(table.textLeft(1, 50), 1175); // centred in its cell
    QCOMPARE(table.textLeft(0, 1200), 0);  // wider than its cell: sticks out on both sides
    QCOMPARE(table.baseline(2), 650);
}

void TestHistory::pdfTable_data()
{
    QTest::addColumn<int>("extraLines"); // beyond one page; -1: no line with two fields
    QTest::addColumn<int>("pages");
    QTest::newRow("L = N") << 0 << 1;
    QTest::newRow("L = N + 1") << 1 << 2;
    QTest::newRow("no table: one empty page") << -1 << 1;
}

void TestHistory::pdfTable()
{
    QFETCH(int, extraLines);
    QFETCH(int, pages);
    const int rowsPerPage = historyPdfRowsPerPage();
    QVERIFY(rowsPerPage > 10);
    // The Chinese header, then records numbered from 1 with date and time in one cell.
    QString text = QStringLiteral("时间,通道1,通道2\n");
    QStringList expected{QStringLiteral("时间 通道1 通道2")};
    for (int n = 1; n < rowsPerPage + extraLines; ++n) {
        text += QStringLiteral("2018-01-05 10:00:00,%1,%1.5\n").arg(n);
        expected << QStringLiteral("2018-01-05 10:00:00 %1 %1.5").arg(n);
    }
    if (extraLines < 0) {
        text = QStringLiteral("时间\n1\n");
        expected.clear();
    }
    const QString fileName = m_dir.filePath(QStringLiteral("table.pdf"));

    QCOMPARE(exportHistoryPdf(fileName, text),
             extraLines < 0 ? QStringLiteral("导出数据失败，数据格式错误") : QString());
    QCOMPARE(pageCount(fileName), pages);
    QStringList shown;
    for (int page = 1; page <= pages; ++page) {
        const QStringList rows = pdfRows(fileName, page);
        // The next lines of the text in order, rowsPerPage of them but on the last page.
        QCOMPARE(rows, expected.mid((page - 1) * rowsPerPage, rowsPerPage));
        shown += rows;
    }
    QCOMPARE(shown, expected);
}

void TestHistory::exportFile_data()
{
    QTest::addColumn<QString>("name");     // in the test's folder, which holds old.csv and old.pdf
    QTest::addColumn<QByteArray>("codec"); // the system locale's
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");    // %1: the file
    QTest::addColumn<QByteArray>("bytes"); // the file's afterwards; null: the old content kept

    QString records;
    for (int n = 0; n < 2000; ++n)
        records += QStringLiteral("2018-01-05 10:00:00,%1,%1.5\n").arg(n);
    const auto row = [&](const char *tag, const QString &name, const QByteArray &codec,
                         const QString &text, const QString &error, const QByteArray &bytes) {
        QTest::newRow(tag) << name << codec << text << error << bytes;
    };
    // The older file is longer: replaced, not overwritten in part.
    row("UTF-8, unchanged", "old.csv", "UTF-8", "时间, 温度\n1,,2\n", "", "时间, 温度\n1,,2\n");
    row("GB2312", "old.csv", "GB2312", "时间\n", "", QByteArray::fromHex("CAB1BCE40A"));
    row("CSV on a full disk", "old.csv", "UTF-8", records, "写入文件失败: %1", QByteArray());
    row("PDF on a full disk", "old.pdf", "UTF-8", records, "写入文件失败: %1", QByteArray());
    row("below a file", "old.csv/new.csv", "UTF-8", records, "打开文件失败: %1", QByteArray());
}

void TestHistory::exportFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, codec);
    QFETCH(QString, text);
    QFETCH(QString, error);
    QFETCH(QByteArray, bytes);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
    const QByteArray oldContent(100, 'o');
    const QStringList oldFiles{"old.csv", "old.pdf"};
    for (const QString &old : oldFiles)
        QVERIFY(SimTest::writeFile(m_dir.filePath(old), oldContent));
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);

    const QString fileName = m_dir.filePath(name);
    const QString result = SimTest::onFullDisk(kFullDiskBytes, [&] {
        return name.endsWith(".pdf") ? exportHistoryPdf(fileName, text)
                                     : exportHistoryCsv(fileName, text);
    });

    QCOMPARE(result, error.replace(QLatin1String("%1"), fileName));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before); // nothing left beside them
    for (const QString &old : oldFiles)
        QCOMPARE(SimTest::fileBytes(m_dir.filePath(old)),
                 old == name && !bytes.isNull() ? bytes : oldContent);
}

void TestHistory::viewText_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("CR LF, lone CR, LF") << QString("a,1\r\nb,2\rc,3\nd,4\r");
    QTest::newRow("separators and no-break space") << QString("a\u2029b\u2028c\u00A0d\tend");
}

// What the command line exports has to be what the dialog's view holds.
void TestHistory::viewText()
{
    QFETCH(QString, answer);
    QTextEdit view;
    view.insertPlainText(answer);
    QCOMPARE(historyViewText(answer), view.toPlainText());
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
