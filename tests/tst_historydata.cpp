#include "guiresources.h"
#include "historydata.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "simtestsupport.h"
#include "workerwatch.h"

#include <QtTest>

#include <QAction>
#include <QDateEdit>
#include <QPushButton>
#include <QTextEdit>

#include <memory>

using Arrange = std::function<void(InstrumentSimulator &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kQueryTimeoutMs = 15000;
const QString kToday = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

void click(const QWidget &dialog, const QString &button)
{
    dialog.findChild<QPushButton *>(button)->click();
}
} // namespace

// The history dialog as the user meets it: dates, query, view, exports, leaving.
class TestHistoryData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
    }
    void init()
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim), QString());
    }
    void cleanup()
    {
        m_sim.reset();
        SimTest::resetSettings();
    }
    void query_data();
    void query();
    void leaveWhileQuerying_data();
    void leaveWhileQuerying();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestHistoryData::query_data()
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

void TestHistoryData::query()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, startAfterEnd);
    QFETCH(QString, view);
    QFETCH(int, lines);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, csv);
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

void TestHistoryData::leaveWhileQuerying_data()
{
    QTest::addColumn<bool>("escape"); // or the window's close button
    QTest::newRow("Escape") << true;
    QTest::newRow("close") << false;
}

// The query sits in its 3000 ms wait for an answer when the dialog goes; the
// dialog must not be destroyed before its thread has ended.
void TestHistoryData::leaveWhileQuerying()
{
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

QTEST_MAIN(TestHistoryData)
#include "tst_historydata.moc"
