#include "guiresources.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "monitordialog.h"
#include "monitortext.h"
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

Q_DECLARE_METATYPE(MonitorView)

namespace {
const QByteArray kDebugOn = QByteArray::fromHex("FF0F4BFF0000023100541F");
const QByteArray kDebugOff = QByteArray::fromHex("FF0F4BFF0000023000558F");
const QString kHeader
        = QStringLiteral("\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\]\\[\\d+\\] : ");
const QString kFirstLine = QStringLiteral("DBG #1 t=\\d+ 温度=[\\d.]+ 流量=12\\.0");
const QString kFirstHex = QStringLiteral("44 42 47 20 23 31 (?:[0-9A-F]{2} )+");
constexpr int kWaitMs = 10000;

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

// The monitor dialog as a user works it: the three display forms, a session, a
// change of display form, the bounded view, a pulled cable and closing mid-session.
class TestMonitorDialog : public QObject
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
        m_sim->setDebugLinePeriodMs(100); // well apart: a burst per line
        QVERIFY(SimTest::startOnConfiguredPort(*m_sim).isEmpty());
    }
    void cleanup()
    {
        m_sim.reset();
        SimTest::resetSettings();
    }
    void displayForms_data();
    void displayForms();
    void session();
    void viewChangeAffectsNextBurstOnly();
    void keptLines_data();
    void keptLines();
    void pulledCable();
    void closedWhileListening();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestMonitorDialog::displayForms_data()
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
    QTest::newRow("OK raw and hex")
            << MonitorView::OriginalHex << ok << at + "[4] : OK ( 4F 4B 0D 0A  )\r\n";
    QTest::newRow("Chinese raw") << MonitorView::Original << chinese << "温度\r\n报警";
    QTest::newRow("Chinese hex") << MonitorView::Hex << chinese
                                 << at + "[10] : " + chineseHex + "\r\n";
    QTest::newRow("Chinese raw and hex: trimmed, inner line break a space")
            << MonitorView::OriginalHex << QByteArray(" " + chinese + " ")
            << at + "[12] : 温度  报警 ( 20 " + chineseHex + "20  )\r\n";
    QTest::newRow("empty burst shows nothing") << MonitorView::Hex << QByteArray() << QString();
}

// Each form of a burst, stamped with a fixed moment.
void TestMonitorDialog::displayForms()
{
    QFETCH(MonitorView, view);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QDateTime received(QDate(2018, 1, 5), QTime(10, 0, 0, 123));
    QCOMPARE(burstDisplayText(view, bytes, received), shown);
}

void TestMonitorDialog::session()
{
    MonitorDialog dialog;
    dialog.show();
    child<QRadioButton>(dialog, "rdOriginalHex")->setChecked(true);

    press(dialog, "bntStart"); // the buttons act as soon as they go down
    QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog), QStringLiteral("running"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(shownLines(dialog).size() > 3, kWaitMs);
    press(dialog, "bntStop");
    QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog), QStringLiteral("idle"), kWaitMs);

    const QString first = shownLines(dialog).first();
    QVERIFY2(matches(kHeader + kFirstLine + " \\( " + kFirstHex + " \\)", first),
             qPrintable(first));
    QCOMPARE(m_sim->receivedFrames(), (QList<QByteArray>{kDebugOn, kDebugOff}));
}

void TestMonitorDialog::viewChangeAffectsNextBurstOnly()
{
    MonitorDialog dialog;
    for (const char *radio : {"rdHex", "rdOriginal"}) {
        child<QRadioButton>(dialog, radio)->setChecked(true);
        dialog.slotDataRecv(QByteArray::fromHex("4F4B0D0A"));
    }
    const QStringList lines = shownLines(dialog);
    QCOMPARE(lines.size(), 3);
    QVERIFY(matches(kHeader + "4F 4B 0D 0A ", lines.at(0)));
    QCOMPARE(lines.at(1), QStringLiteral("OK"));
}

void TestMonitorDialog::keptLines_data()
{
    QTest::addColumn<QVariant>("setting"); // "monitor/maxlines"; invalid: absent
    QTest::addColumn<int>("lineChars");    // of each line fed, its number and break included
    QTest::addColumn<bool>("lineEnds");
    QTest::addColumn<int>("fed");
    QTest::addColumn<int>("kept"); // lines in the view afterwards, the empty last one too

    const int byDefault = MonitorDialog::kDefaultKeptLines;
    QTest::newRow("set to 5") << QVariant(5) << 10 << true << 20 << 5;
    QTest::newRow("absent: the default") << QVariant() << 10 << true << byDefault + 10 << byDefault;
    QTest::newRow("long lines: the character bound")
            << QVariant() << 1000 << true << MonitorDialog::kMaxKeptChars / 1000 + 100
            << MonitorDialog::kMaxKeptChars / 1000;
    QTest::newRow("no line ends: long lines carry on in new ones")
            << QVariant(3) << 1000 << false << 20 << 3;
}

void TestMonitorDialog::keptLines()
{
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
    for (int number = 1; number <= fed; ++number)
        dialog.slotDataRecv((line(number) + (lineEnds ? "\n" : "")).toLatin1());

    const QTextDocument *document = child<QPlainTextEdit>(dialog, "textEdit")->document();
    QCOMPARE(document->blockCount(), kept);
    if (lineEnds) // the newest lines stay, whole
        QCOMPARE(document->firstBlock().text(), line(fed - kept + 2));
}

void TestMonitorDialog::pulledCable()
{
    MonitorDialog dialog;
    dialog.show();
    ModalDriver driver;
    press(dialog, "bntStart");
    QTRY_VERIFY_WITH_TIMEOUT(shownLines(dialog).size() > 1, kWaitMs);
    m_sim->stop();

    QTRY_COMPARE_WITH_TIMEOUT(driver.summaries(), QStringList{"设备监听: 串口已断开"}, kWaitMs);
    QCOMPARE(driver.shown().first().buttons, QStringList{"确定"});
    QTRY_COMPARE_WITH_TIMEOUT(buttons(dialog), QStringLiteral("idle"), kWaitMs);
}

void TestMonitorDialog::closedWhileListening()
{
    MainWindow window;
    QAction *monitor = child<QAction>(window, "monitor");
    QVERIFY(monitor->isEnabled());
    ModalDriver driver;
    // Start listening in the dialog; the driver's next look closes it mid-session.
    driver.plan([](QWidget *dialog) { press(*dialog, "bntStart"); });
    monitor->trigger();

    QCOMPARE(driver.shown().size(), 2);
    QCOMPARE(driver.shown().first().title, QStringLiteral("设备监听"));
    // Closing waited for the run to end, switch-off included.
    QCOMPARE(m_sim->receivedFrames(), (QList<QByteArray>{kDebugOn, kDebugOff}));
}

QTEST_MAIN(TestMonitorDialog)
#include "tst_monitordialog.moc"
