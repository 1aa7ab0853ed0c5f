#include "commandset.h"
#include "guiresources.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "monitordialog.h"
#include "monitortext.h"
#include "monitorthread.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>

#include <memory>

Q_DECLARE_METATYPE(MonitorView)

namespace {
const QByteArray kDebugOn = QByteArray::fromHex("FF0F4BFF0000023100541F");
const QByteArray kDebugOff = QByteArray::fromHex("FF0F4BFF0000023000558F");
constexpr int kWaitMs = 15000;

// One listening run against the simulated instrument, and what it signalled.
struct Run
{
    Run()
    {
        // Queued to the test's thread, so reading them races with nothing.
        QObject::connect(&thread, &MonitorThread::signalDataRecv, &receiver,
                         [this](const QByteArray &burst) { bursts << burst; });
        QObject::connect(&thread, &MonitorThread::signalShowError, &receiver,
                         [this](const QString &title, const QString &text) {
                             messages << title + QStringLiteral(": ") + text;
                         });
    }
    ~Run() { sim.faults().setSilent(false); } // the switch-off at the end gets its answer

    QString start(bool debug, int baudRate = SimTest::kBaudRate)
    {
        const QString error
                = sim.isRunning() ? QString() : SimTest::startOnConfiguredPort(sim, baudRate);
        thread.setDebug(debug);
        thread.start();
        return error;
    }
    // Ends the run and takes in what it signalled last.
    void stop()
    {
        thread.stop();
        QCoreApplication::processEvents();
    }
    QByteArray shown() const { return bursts.join(); }
    // Silences the instrument and waits until every debug byte it sent was shown.
    bool drain()
    {
        sim.faults().setSilent(true);
        return QTest::qWaitFor([this] { return shown().size() == sim.debugBytesSent(); }, kWaitMs);
    }

    InstrumentSimulator sim;
    MonitorThread thread;
    QObject receiver;
    QByteArrayList bursts;
    QStringList messages;
};

// Whole debug lines numbered from 1 without a gap: every byte once and in order.
// The number of lines, or -1 with the offending line in why.
int numberedLines(const QByteArray &stream, QString *why)
{
    static const QRegularExpression line(
            QStringLiteral("^DBG #(\\d+) t=\\d+ 温度=[\\d.]+ 流量=12\\.0$"));
    QStringList lines = decodeGb2312(stream).split(QStringLiteral("\r\n"));
    *why = lines.takeLast();
    for (int i = 0; why->isEmpty() && i < lines.size(); ++i) {
        if (line.match(lines.at(i)).captured(1).toInt() != i + 1)
            *why = lines.at(i);
    }
    return why->isEmpty() ? lines.size() : -1;
}
const QString kHeader
        = QStringLiteral("\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\]\\[\\d+\\] : ");
void press(QWidget &dialog, const char *button)
{
    QTest::mousePress(child<QPushButton>(dialog, button), Qt::LeftButton);
}

// "running", "idle" or "mixed", as the buttons show it.
QString buttons(QWidget &dialog)
{
    const bool start = child<QPushButton>(dialog, "bntStart")->isEnabled();
    const bool debug = child<QCheckBox>(dialog, "ckDebug")->isEnabled();
    const bool stop = child<QPushButton>(dialog, "bntStop")->isEnabled();
    if (start && debug && !stop)
        return QStringLiteral("idle");
    return !start && !debug && stop ? QStringLiteral("running") : QStringLiteral("mixed");
}

QStringList shownLines(QWidget &dialog)
{
    return child<QPlainTextEdit>(dialog, "textEdit")->toPlainText().split(QLatin1Char('\n'));
}

bool matches(const QString &pattern, const QString &text)
{
    return QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')).match(text).hasMatch();
}
} // namespace

// The device monitor against the simulated instrument. The listening thread:
// how bytes are grouped into bursts, floods. The dialog as a user works it: the
// display forms, a logged session with scrolling and a stop, the log and find
// bars, the bounded view, a pulled cable and closing mid-session.
class TestMonitor : public QObject
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
    void bursts_data();
    void bursts();
    void displayForms_data();
    void displayForms();
    void session();
    void unwritableLog();
    void sessionEndsWhileLogChosen();
    void findBar();
    void keptLines_data();
    void keptLines();
    void pulledCable();
    void closedWhileListening();

private:
    // The instrument the dialog tests listen to, its debug lines well apart: a burst each.
    void startSimulator()
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        m_sim->setDebugLinePeriodMs(100);
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim), QString());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestMonitor::bursts_data()
{
    QTest::addColumn<int>("periodMs"); // line start to line start (a line takes 5 ms); 0: flood
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<QString>("cut"); // what cuts bursts: nothing, the gap or the size/age limit
    QTest::newRow("lines 30 ms apart: one burst") << 30 << SimTest::kBaudRate << "nothing";
    QTest::newRow("lines 80 ms apart: a burst each") << 80 << SimTest::kBaudRate << "gap";
    QTest::newRow("flood at 115200 baud: cut at the size limit")
            << 0 << SimTest::kBaudRate << "size";
    QTest::newRow("flood at 4800 baud: cut at the age limit") << 0 << 4800 << "age";
}

void TestMonitor::bursts()
{
    QFETCH(int, periodMs);
    QFETCH(int, baudRate);
    QFETCH(QString, cut);
    Run run;
    if (periodMs > 0)
        run.sim.setDebugLinePeriodMs(periodMs);
    else
        run.sim.setDebugFlood(true);
    QVERIFY(run.start(true, baudRate).isEmpty());
    QVERIFY(run.sim.waitForFrames(1, kWaitMs));
    if (periodMs > 0)
        QTest::qWait(4 * periodMs);
    else // bursts arrive while the instrument has not paused once
        QTRY_VERIFY_WITH_TIMEOUT(run.bursts.size() >= 2, kWaitMs);
    const int largest = qMax(run.bursts.value(0).size(), run.bursts.value(1).size());
    QVERIFY(run.drain());

    QString why;
    const int lines = numberedLines(run.shown(), &why);
    QVERIFY2(lines >= 2, qPrintable(why));
    for (const QByteArray &burst : qAsConst(run.bursts)) {
        QVERIFY(burst.size() <= MonitorThread::kMaxBurstBytes);
        QCOMPARE(encodeGb2312(decodeGb2312(burst)), burst); // no character cut in two
    }
    if (periodMs > 0)
        QCOMPARE(run.bursts.size(), cut == QLatin1String("gap") ? lines : 1);
    else
        QCOMPARE(largest >= MonitorThread::kMaxBurstBytes - 1, cut == QLatin1String("size"));

    // Switched off while the lines come again: the answer is found among them.
    run.sim.faults().setSilent(false);
    run.stop();
    QCOMPARE(run.messages, QStringList());
    QCOMPARE(run.sim.receivedFrames().last(), kDebugOff);
}

void TestMonitor::displayForms_data()
{
    QTest::addColumn<MonitorView>("view");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    const QByteArray ok = QByteArray::fromHex("4F4B0D0A");
    // 温度, a line break and 报警 in GB2312.
    const QByteArray chinese = QByteArray::fromHex("CEC2B6C80D0AB1A8BEAF");
    const QString chineseHex = QStringLiteral("CE C2 B6 C8 0D 0A B1 A8 BE AF ");
    const QString at = QStringLiteral("[2018-01-05 10:00:00.123]");
    QTest::newRow("OK raw: the data's own line break, no header")
            << MonitorView::Original << ok << "OK\r\n";
    QTest::newRow("OK hex") << MonitorView::Hex << ok << at + "[4] : 4F 4B 0D 0A \r\n";
    QTest::newRow("Chinese raw") << MonitorView::Original << chinese << "温度\r\n报警";
    QTest::newRow("Chinese raw and hex: trimmed, inner line break a space")
            << MonitorView::OriginalHex << QByteArray(" " + chinese + " ")
            << at + "[12] : 温度  报警 ( 20 " + chineseHex + "20  )\r\n";
    QTest::newRow("empty burst shows nothing") << MonitorView::Hex << QByteArray() << QString();
}

// Each form of a burst, stamped with a fixed moment.
void TestMonitor::displayForms()
{
    QFETCH(MonitorView, view);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QDateTime received(QDate(2018, 1, 5), QTime(10, 0, 0, 123));
    QCOMPARE(burstDisplayText(view, bytes, received), shown);
}

// A 921600 flood longer than the view's lines, logged; the user scrolls up and
// back down; the instrument falls silent and the stop waits for its answer.
void TestMonitor::session()
{
    singleton<Config>::instance()->setValue(SettingsKeys::kMonitorMaxLines, 100);
    m_sim = std::make_unique<InstrumentSimulator>();
    m_sim->setDebugFlood(true);
    QCOMPARE(SimTest::startOnConfiguredPort(*m_sim, 921600), QString());
    MonitorDialog dialog;
    dialog.show();
    child<QRadioButton>(dialog, "rdOriginalHex")->setChecked(true);
    ModalDriver driver;
    auto *logging = child<QCheckBox>(dialog, "ckLog");
    logging->setChecked(true); // the file dialog cancelled: no log
    QVERIFY(!logging->isChecked());
    driver.plan(ModalDriver::pickFile(m_dir.filePath(QStringLiteral("session.log"))));
    logging->setChecked(true);
    qint64 shown = 0;
    int bursts = 0;
    connect(&dialog.monitorThread(), &MonitorThread::signalDataRecv, &dialog,
            [&](const QByteArray &burst) { shown += burst.size(), ++bursts; });
    // Floods on for at least bytes more, then waits until all of it is on screen.
    const auto flood = [this, &shown](qint64 bytes) {
        m_sim->faults().setSilent(false);
        const qint64 from = m_sim->debugBytesSent();
        QTRY_VERIFY_WITH_TIMEOUT(m_sim->debugBytesSent() > from + bytes, kWaitMs);
        m_sim->faults().setSilent(true);
        QTRY_COMPARE_WITH_TIMEOUT(shown, m_sim->debugBytesSent(), kWaitMs);
        QTest::qWait(2 * MonitorDialog::kShowIntervalMs);
    };
    auto *view = child<QPlainTextEdit>(dialog, "textEdit");
    QScrollBar *bar = view->verticalScrollBar();
    const auto topLine = [view] {
        return view->cursorForPosition(QPoint(0, 0)).block().text();
    };
    press(dialog, "bntStart"); // the buttons act as soon as they go down
    flood(150 * MonitorThread::kMaxBurstBytes);
    QCOMPARE(view->document()->blockCount(), 100);

    bar->setValue(bar->maximum() * 3 / 4); // held while old lines go and new ones come
    const QString reading = topLine();
    const QString oldest = view->document()->firstBlock().text();
    flood(20 * MonitorThread::kMaxBurstBytes);
    QVERIFY(view->document()->firstBlock().text() != oldest);
    QCOMPARE(topLine(), reading);
    bar->setValue(bar->maximum()); // followed again
    const QString atBottom = topLine();
    flood(20 * MonitorThread::kMaxBurstBytes);
    QVERIFY(topLine() != atBottom);
    QCOMPARE(bar->value(), bar->maximum());

    int ticks = 0, ticksWhileStopping = -1;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, &ticker, [&ticks] { ++ticks; });
    connect(&dialog.monitorThread(), &QThread::finished, &ticker,
            [&] { ticksWhileStopping = ticks; });
    ticker.start(10);
    press(dialog, "bntStop");
    QCOMPARE(buttons(dialog), QStringLiteral("mixed")); // neither start nor stop while it ends
    QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog), QStringLiteral("idle"), kWaitMs);
    QVERIFY2(ticksWhileStopping > 10, qPrintable(QString::number(ticksWhileStopping)));
    QCOMPARE(driver.summaries().last(), QStringLiteral("监听调试: 接受数据超时"));
    QCOMPARE(m_sim->receivedFrames(), (QList<QByteArray>{kDebugOn, kDebugOff}));
    QVERIFY(!logging->isChecked()); // the log ended with the session

    // Every burst in the log as the view showed it: the view's lines are its last ones.
    QFile log(m_dir.filePath(QStringLiteral("session.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList logged = QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"));
    QCOMPARE(logged.size(), bursts + 1);
    QCOMPARE(logged.mid(logged.size() - 100), shownLines(dialog));
}

// A log that cannot be written (here: past the process's file size limit)
// stops with a message and keeps what it holds, while the view goes on.
void TestMonitor::unwritableLog()
{
    MonitorDialog dialog;
    ModalDriver driver;
    auto *logging = child<QCheckBox>(dialog, "ckLog");
    const QString fileName = m_dir.filePath(QStringLiteral("full.log"));
    driver.plan(ModalDriver::pickFile(fileName));
    logging->setChecked(true);
    SimTest::onFullDisk(6, [&dialog] {
        dialog.slotDataRecv("OK\r\n");
        dialog.slotDataRecv("OK\r\n");
        return 0;
    });
    QVERIFY(driver.summaries().last().startsWith("记录到文件: 无法写入记录文件 "));
    QVERIFY(!logging->isChecked());
    dialog.slotDataRecv("OK\r\n");
    QTRY_COMPARE(shownLines(dialog), (QStringList{"OK", "OK", "OK", ""}));
    QFile log(fileName);
    QVERIFY(log.open(QIODevice::ReadOnly) && log.readAll().startsWith("OK\r\n"));
}

// A session that ends while the log's file is being chosen has unchecked the
// box: the file chosen then is not opened, so nothing goes into it unseen.
void TestMonitor::sessionEndsWhileLogChosen()
{
    MonitorDialog dialog;
    ModalDriver driver;
    auto *logging = child<QCheckBox>(dialog, "ckLog");
    const QString fileName = m_dir.filePath(QStringLiteral("late.log"));
    const ModalDriver::Answer pick = ModalDriver::pickFile(fileName);
    driver.plan([&dialog, pick](QWidget *chooser) {
        dialog.slotThreadFinished();
        pick(chooser);
    });
    logging->setChecked(true);
    dialog.slotDataRecv("OK\r\n");
    QVERIFY(!logging->isChecked());
    QVERIFY(!QFile::exists(fileName));
}

// Ctrl+F: case-insensitive, forwards and backwards round the end; a change of
// form changes only the bursts that follow.
void TestMonitor::findBar()
{
    MonitorDialog dialog;
    dialog.show();
    child<QRadioButton>(dialog, "rdHex")->setChecked(true);
    dialog.slotDataRecv(QByteArray::fromHex("4F4B0D0A"));
    child<QRadioButton>(dialog, "rdOriginal")->setChecked(true);
    dialog.slotDataRecv("alpha Beta\r\ngamma\r\nbeta");
    auto *view = child<QPlainTextEdit>(dialog, "textEdit");
    QTRY_COMPARE(shownLines(dialog).size(), 4);
    QVERIFY(matches(kHeader + "4F 4B 0D 0A ", shownLines(dialog).first()));

    QTest::keyClick(&dialog, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(child<QWidget>(dialog, "findBar")->isVisible());
    auto *field = child<QLineEdit>(dialog, "edFind");
    QTest::keyClicks(field, QStringLiteral("BETA"));
    const QList<QPair<Qt::KeyboardModifier, int>> steps{
            {Qt::NoModifier, 1}, {Qt::NoModifier, 3}, {Qt::NoModifier, 1}, {Qt::ShiftModifier, 3}};
    for (const auto &step : steps) {
        QTest::keyClick(field, Qt::Key_Return, step.first);
        QCOMPARE(view->textCursor().selectedText().toLower(), QStringLiteral("beta"));
        QCOMPARE(view->textCursor().blockNumber(), step.second);
    }
    field->setText(QStringLiteral("delta"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(child<QLabel>(dialog, "lbFindResult")->text(), QStringLiteral("未找到"));
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!child<QWidget>(dialog, "findBar")->isVisible());
    QVERIFY(dialog.isVisible());
}

void TestMonitor::keptLines_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QVariant>("setting"); // "monitor/maxlines"; invalid: absent
    QTest::addColumn<int>("lineChars");    // of each line fed, its number and break included
    QTest::addColumn<bool>("lineEnds");
    QTest::addColumn<int>("fed");
    QTest::addColumn<int>("kept"); // lines in the view afterwards, the empty last one too

    for (const char *form : {"rdOriginal", "rdHex", "rdOriginalHex"})
        QTest::addRow("%s: the newest line whole on screen", form)
                << form << QVariant() << 16 << true << 60 << 61;
    QTest::newRow("long lines: the character bound")
            << "rdOriginal" << QVariant() << 1000 << true
            << MonitorDialog::kMaxKeptChars / 1000 + 100 << MonitorDialog::kMaxKeptChars / 1000;
    QTest::newRow("no line ends: long lines carry on in new ones")
            << "rdOriginal" << QVariant(3) << 1000 << false << 20 << 3;
}

// The view keeps the newest lines within its bounds and, while it follows the
// stream, shows the newest one whole in every form.
void TestMonitor::keptLines()
{
    QFETCH(QString, form);
    QFETCH(QVariant, setting);
    QFETCH(int, lineChars);
    QFETCH(bool, lineEnds);
    QFETCH(int, fed);
    QFETCH(int, kept);
    if (setting.isValid())
        singleton<Config>::instance()->setValue(SettingsKeys::kMonitorMaxLines, setting);
    const auto line = [&](int number) {
        const QString text = QStringLiteral("%1 ").arg(number, 6, 10, QLatin1Char('0'));
        return text.leftJustified(lineChars - 1, QLatin1Char('x'), true);
    };

    MonitorDialog dialog;
    dialog.show();
    child<QRadioButton>(dialog, qPrintable(form))->setChecked(true);
    for (int number = 1; number <= fed; ++number)
        dialog.slotDataRecv((line(number) + (lineEnds ? "\n" : "")).toLatin1());

    auto *view = child<QPlainTextEdit>(dialog, "textEdit");
    QTRY_COMPARE(view->document()->blockCount(), kept);
    if (lineEnds && form == QLatin1String("rdOriginal")) // the newest lines stay, whole
        QCOMPARE(view->document()->firstBlock().text(), line(fed - kept + 2));
    QTextCursor last(view->document()->lastBlock());
    if (last.block().text().isEmpty())
        last.movePosition(QTextCursor::PreviousBlock);
    last.movePosition(QTextCursor::EndOfBlock);
    QTRY_VERIFY(view->cursorRect(last).bottom() < view->viewport()->height());
}

void TestMonitor::pulledCable()
{
    startSimulator();
    MonitorDialog dialog;
    dialog.show();
    ModalDriver driver;
    press(dialog, "bntStart");
    QTRY_VERIFY_WITH_TIMEOUT(shownLines(dialog).size() > 1, kWaitMs);
    m_sim->stop();

    QTRY_COMPARE_WITH_TIMEOUT(driver.summaries(), QStringList{"设备监听: 串口已断开"}, kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog), QStringLiteral("idle"), kWaitMs);
}

void TestMonitor::closedWhileListening()
{
    startSimulator();
    MainWindow window;
    QAction *monitor = child<QAction>(window, "monitor");
    ModalDriver driver;
    // Start listening without debug output; the driver's next look closes the dialog.
    driver.plan([](QWidget *dialog) {
        child<QCheckBox>(*dialog, "ckDebug")->setChecked(false);
        press(*dialog, "bntStart");
    });
    monitor->trigger();

    QCOMPARE(driver.shown().size(), 2);
    // The start switched the output off; closing waited for the run and sent nothing more.
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{kDebugOff});
}

QTEST_MAIN(TestMonitor)
#include "tst_monitor.moc"
