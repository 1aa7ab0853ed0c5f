#include "guiresources.h"
#include "historydata.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "simtestsupport.h"

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
const QString kOldText = QStringLiteral("旧文本");

QString viewText(const HistoryData &dialog)
{
    return dialog.findChild<QTextEdit *>(QStringLiteral("textEdit"))->toPlainText();
}

void click(const HistoryData &dialog, const char *button)
{
    dialog.findChild<QPushButton *>(QLatin1String(button))->click();
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
    void cleanup()
    {
        m_sim.reset();
        SimTest::resetSettings();
    }
    void query_data();
    void query();
    void exports_data();
    void exports();
    void leaveWhileQuerying_data();
    void leaveWhileQuerying();

private:
    void startSimulator(const Arrange &arrange = {})
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        if (arrange)
            arrange(*m_sim);
        const QString error = SimTest::startOnConfiguredPort(*m_sim);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestHistoryData::query_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("startAfterEnd"); // days
    QTest::addColumn<int>("frames");
    QTest::addColumn<QString>("view"); // how the view's text begins
    QTest::addColumn<int>(
            "blocks"); // lines of the view, the empty one after the last line end included
    QTest::addColumn<QString>("box");

    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QTest::newRow("today") << Arrange() << 0 << 1 << "时间,温度,压力,流量\n" + today + " 00:00:00,"
                           << 6 << QString();
    QTest::newRow("start after end")
            << Arrange() << 1 << 0 << kOldText << 1 << "查询: 起始日期应该小于或等于结束日期";
    const QList<ReplyChunk> chunks{{"a,1\r", 0}, {"\nb,2\r\n", 20}};
    QTest::newRow("CR LF split between chunks is one line end")
            << Arrange([=](InstrumentSimulator &s) { s.faults().replaceAnswers(chunks); }) << 0 << 1
            << "a,1\nb,2\n"
            << 3 << QString();
}

void TestHistoryData::query()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, startAfterEnd);
    QFETCH(int, frames);
    QFETCH(QString, view);
    QFETCH(int, blocks);
    QFETCH(QString, box);

    startSimulator(arrange);
    HistoryData dialog;
    dialog.slotAddText(kOldText);
    auto *start = dialog.findChild<QDateEdit *>(QStringLiteral("dateStart"));
    start->setDate(start->date().addDays(startAfterEnd));
    ModalDriver driver;
    click(dialog, "bntQuery");
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isQuerying(), kQueryTimeoutMs);
    QCoreApplication::sendPostedEvents();

    QVERIFY2(viewText(dialog).startsWith(view), qPrintable(viewText(dialog)));
    QCOMPARE(dialog.findChild<QTextEdit *>()->document()->blockCount(), blocks);
    QCOMPARE(m_sim->receivedFrames().size(), frames);
    QCOMPARE(driver.summaries(), box.isEmpty() ? QStringList() : QStringList{box});
}

void TestHistoryData::exports_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file"); // empty: the file dialog is cancelled
    QTest::addColumn<QByteArray>("begins");
    QTest::addColumn<QString>("box");
    QTest::newRow("CSV as shown") << "时间,温度\n1,2\n"
                                  << "bntExportCSV"
                                  << "view.csv" << QByteArray("时间,温度\n1,2\n") << QString();
    QTest::newRow("CSV cancelled") << "a,1\n"
                                   << "bntExportCSV" << QString() << QByteArray() << QString();
    QTest::newRow("PDF table") << "时间,温度\n1,2\n"
                               << "bntExportPDF"
                               << "view.pdf" << QByteArray("%PDF") << QString();
    QTest::newRow("PDF of an empty view")
            << QString() << "bntExportPDF"
            << "empty.pdf" << QByteArray("%PDF") << "导出配置: 导出数据失败，数据格式错误";
}

void TestHistoryData::exports()
{
    QFETCH(QString, text);
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(QByteArray, begins);
    QFETCH(QString, box);

    HistoryData dialog;
    dialog.slotAddText(text);
    const QString path = m_dir.filePath(file.isEmpty() ? QStringLiteral("none") : file);
    ModalDriver driver;
    if (!file.isEmpty())
        driver.plan(ModalDriver::pickFile(path));
    click(dialog, qPrintable(button));

    QStringList shown = driver.summaries();
    QCOMPARE(shown.takeFirst(), QStringLiteral("导出历史数据: "));
    QCOMPARE(shown, box.isEmpty() ? QStringList() : QStringList{box});
    QFile saved(path);
    QCOMPARE(saved.open(QIODevice::ReadOnly), !file.isEmpty());
    QVERIFY(saved.readAll().startsWith(begins));
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
    startSimulator([](InstrumentSimulator &s) { s.faults().setSilent(true); });
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
    QCOMPARE(driver.summaries(),
             QStringList{"历史数据: "
                         + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))});
    QCOMPARE(driver.shown().first().windowIcon.pixmap(16).toImage(),
             QIcon(QString::fromLatin1(GuiResources::kDebugIcon)).pixmap(16).toImage());
    QVERIFY(m_sim->waitForFrames(1, kQueryTimeoutMs));
}

QTEST_MAIN(TestHistoryData)
#include "tst_historydata.moc"
