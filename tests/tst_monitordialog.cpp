#include "guiresources.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "monitordialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBlock>

#include <memory>

namespace {
const QByteArray kDebugOnFrame = QByteArray::fromHex("FF0F4BFF0000023100541F");
const QByteArray kDebugOffFrame = QByteArray::fromHex("FF0F4BFF0000023000558F");
const QString kHeader
        = QStringLiteral("\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\]\\[\\d+\\] : ");
const QString kFirstDebugLine = QStringLiteral("DBG #1 t=\\d+ 温度=\\d+\\.\\d 流量=12\\.0");
const QString kFirstDebugHex = QStringLiteral("44 42 47 20 23 31 (?:[0-9A-F]{2} )+");
constexpr int kDebugPeriodMs = 100; // well apart: one burst per line
constexpr int kWaitMs = 10000;

template<typename T>
T *child(QObject &parent, const char *name)
{
    return parent.findChild<T *>(QString::fromLatin1(name));
}

// The buttons as the user sees them: a run is going on, or everything is idle.
bool showsRunning(QDialog &dialog)
{
    return !child<QPushButton>(dialog, "bntStart")->isEnabled()
            && !child<QCheckBox>(dialog, "ckDebug")->isEnabled()
            && child<QPushButton>(dialog, "bntStop")->isEnabled();
}
bool showsIdle(QDialog &dialog)
{
    return child<QPushButton>(dialog, "bntStart")->isEnabled()
            && child<QCheckBox>(dialog, "ckDebug")->isEnabled()
            && !child<QPushButton>(dialog, "bntStop")->isEnabled();
}

QStringList shownLines(QDialog &dialog)
{
    return child<QPlainTextEdit>(dialog, "textEdit")->toPlainText().split(QLatin1Char('\n'));
}
} // namespace

// The monitor dialog as a user works it: a session in each display form, a
// change of form, the bounded view, a pulled cable and closing mid-session.
class TestMonitorDialog : public QObject
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
    void sessionInEachView_data();
    void sessionInEachView();
    void viewChangeAffectsNextBurstOnly();
    void keptLines_data();
    void keptLines();
    void characterBudget();
    void pulledCable();
    void closedWhileListening();

private:
    void startSimulator()
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        m_sim->setDebugLinePeriodMs(kDebugPeriodMs);
        const QString error = SimTest::startOnConfiguredPort(*m_sim);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestMonitorDialog::sessionInEachView_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("firstLine"); // pattern of the first line shown

    QTest::newRow("raw") << "rdOriginal"
                         << "^" + kFirstDebugLine + "$";
    QTest::newRow("hex") << "rdHex"
                         << "^" + kHeader + kFirstDebugHex + "$";
    QTest::newRow("raw and hex") << "rdOriginalHex"
                                 << "^" + kHeader + kFirstDebugLine + " \\( " + kFirstDebugHex
                    + " \\)$";
}

void TestMonitorDialog::sessionInEachView()
{
    QFETCH(QString, radio);
    QFETCH(QString, firstLine);
    startSimulator();
    MonitorDialog dialog;
    dialog.show();
    dialog.findChild<QRadioButton *>(radio)->setChecked(true);
    QVERIFY(child<QCheckBox>(dialog, "ckDebug")->isChecked());

    // The buttons act as soon as they go down.
    QTest::mousePress(child<QPushButton>(dialog, "bntStart"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(showsRunning(dialog), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(shownLines(dialog).size() > 3, kWaitMs);
    QTest::mousePress(child<QPushButton>(dialog, "bntStop"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(showsIdle(dialog), kWaitMs);

    const QString first = shownLines(dialog).first();
    QVERIFY2(QRegularExpression(firstLine).match(first).hasMatch(), qPrintable(first));
    QCOMPARE(m_sim->receivedFrames(), (QList<QByteArray>{kDebugOnFrame, kDebugOffFrame}));
}

void TestMonitorDialog::viewChangeAffectsNextBurstOnly()
{
    MonitorDialog dialog;
    const QByteArray ok = QByteArray::fromHex("4F4B0D0A");
    child<QRadioButton>(dialog, "rdHex")->setChecked(true);
    dialog.slotDataRecv(ok);
    child<QRadioButton>(dialog, "rdOriginal")->setChecked(true);
    dialog.slotDataRecv(ok);
    child<QRadioButton>(dialog, "rdOriginalHex")->setChecked(true);
    dialog.slotDataRecv(ok);

    const QStringList lines = shownLines(dialog);
    QCOMPARE(lines.size(), 4);
    QVERIFY(QRegularExpression("^" + kHeader + "4F 4B 0D 0A $").match(lines.at(0)).hasMatch());
    QCOMPARE(lines.at(1), QStringLiteral("OK"));
    QVERIFY(QRegularExpression("^" + kHeader + "OK \\( 4F 4B 0D 0A  \\)$")
                    .match(lines.at(2))
                    .hasMatch());
    QCOMPARE(lines.at(3), QString());

    QTest::mousePress(child<QPushButton>(dialog, "bntClear"), Qt::LeftButton);
    QVERIFY(child<QPlainTextEdit>(dialog, "textEdit")->toPlainText().isEmpty());
}

void TestMonitorDialog::keptLines_data()
{
    QTest::addColumn<QVariant>("setting"); // "monitor/maxlines"; invalid: absent
    QTest::addColumn<QString>("burst");    // %1, if there: the burst's number from 1
    QTest::addColumn<int>("bursts");
    QTest::addColumn<int>("lines");         // lines in the view afterwards
    QTest::addColumn<QString>("firstLine"); // the oldest line kept

    const int defaultLines = MonitorDialog::kDefaultKeptLines;
    QTest::newRow("set to 5: the newest 5 lines stay") << QVariant(5) << "line %1\r\n"
                                                       << 20 << 5 << "line 17";
    QTest::newRow("absent: the default") << QVariant() << "line %1\r\n"
                                         << defaultLines + 10 << defaultLines << "line 12";
    QTest::newRow("zero would mean no bound: the default")
            << QVariant(0) << "line %1\r\n"
            << defaultLines + 10 << defaultLines << "line 12";
    // A stream without line ends still comes in lines, so it is bounded as well.
    QTest::newRow("no line ends: long lines carry on in new ones")
            << QVariant(3) << QString(1000, QLatin1Char('a')) << 20 << 3
            << QString(5000, QLatin1Char('a'));
}

void TestMonitorDialog::keptLines()
{
    QFETCH(QVariant, setting);
    QFETCH(QString, burst);
    QFETCH(int, bursts);
    QFETCH(int, lines);
    QFETCH(QString, firstLine);
    if (setting.isValid())
        singleton<Config>::instance()->setValue(SettingsKeys::kMonitorMaxLines, setting);

    MonitorDialog dialog;
    const bool numbered = burst.contains(QLatin1String("%1"));
    for (int i = 1; i <= bursts; ++i)
        dialog.slotDataRecv((numbered ? burst.arg(i) : burst).toLatin1());

    const QTextDocument *document = child<QPlainTextEdit>(dialog, "textEdit")->document();
    QCOMPARE(document->blockCount(), lines);
    QCOMPARE(document->firstBlock().text(), firstLine);
}

// Long lines are dropped by the character bound long before the line setting
// is reached, whole and oldest first.
void TestMonitorDialog::characterBudget()
{
    constexpr int kLineChars = 1000; // with its line break
    const int fed = MonitorDialog::kMaxKeptChars / kLineChars + 100;
    const auto line = [](int number) {
        return QStringLiteral("%1 ").arg(number, 6, 10, QLatin1Char('0'))
                + QString(kLineChars - 8, QLatin1Char('x'));
    };
    MonitorDialog dialog;
    for (int number = 1; number <= fed; ++number)
        dialog.slotDataRecv((line(number) + QLatin1Char('\n')).toLatin1());

    const QTextDocument *document = child<QPlainTextEdit>(dialog, "textEdit")->document();
    QVERIFY(document->characterCount() <= MonitorDialog::kMaxKeptChars);
    QVERIFY(document->characterCount() > MonitorDialog::kMaxKeptChars - 2 * kLineChars);
    const int keptLines = document->blockCount() - 1; // the last block is the empty one
    QCOMPARE(document->firstBlock().text(), line(fed - keptLines + 1));
    QCOMPARE(document->lastBlock().previous().text(), line(fed));
}

void TestMonitorDialog::pulledCable()
{
    startSimulator();
    MonitorDialog dialog;
    dialog.show();
    ModalDriver driver;
    QTest::mousePress(child<QPushButton>(dialog, "bntStart"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(shownLines(dialog).size() > 1, kWaitMs);
    m_sim->stop();

    QTRY_COMPARE_WITH_TIMEOUT(driver.summaries(), QStringList{"设备监听: 串口已断开"}, kWaitMs);
    QCOMPARE(driver.shown().first().buttons, QStringList{"确定"});
    QVERIFY(!driver.shown().first().windowIcon.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(showsIdle(dialog), kWaitMs);
}

void TestMonitorDialog::closedWhileListening()
{
    startSimulator();
    MainWindow window;
    QAction *monitor = child<QAction>(window, "monitor");
    QVERIFY(monitor->isEnabled());
    ModalDriver driver;
    // Start listening in the dialog; the driver's next look closes it mid-session.
    driver.plan([](QWidget *dialog) {
        QTest::mousePress(child<QPushButton>(*dialog, "bntStart"), Qt::LeftButton);
    });
    monitor->trigger();

    QCOMPARE(driver.shown().size(), 2);
    QCOMPARE(driver.shown().first().title, QStringLiteral("设备监听"));
    // Closing waited for the run to end, switch-off included.
    QCOMPARE(m_sim->receivedFrames(), (QList<QByteArray>{kDebugOnFrame, kDebugOffFrame}));
}

QTEST_MAIN(TestMonitorDialog)
#include "tst_monitordialog.moc"
