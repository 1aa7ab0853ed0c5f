#include "guiresources.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "portnames.h"
#include "seriallink.h"
#include "setupdialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <functional>
#include <memory>

using Arrange = std::function<void(InstrumentSimulator &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kRefreshTimeoutMs = 20000;
constexpr int kSettleMs = 100;
constexpr int kDemoItems = 20;

QSize availableSize()
{
    return QGuiApplication::primaryScreen()->availableGeometry().size();
}

Config *config()
{
    return singleton<Config>::instance();
}

QComboBox *box(SetupDialog &dialog, const char *name)
{
    return dialog.findChild<QComboBox *>(QString::fromLatin1(name));
}
} // namespace

// The main window against the simulated instrument: the item list, languages,
// size and what closing keeps. Its serial setup dialog: port ordering,
// preselection, refusals, what OK and Cancel store.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        // The demo's name row is listed with another model: every list holds it a moment.
        QVERIFY(SimTest::writeFile(QString::fromLatin1(kSkipItemsFileName), "NV-100 流量计,X"));
    }
    void cleanup()
    {
        m_sim.reset();
        SimTest::resetSettings();
    }
    void refresh_data();
    void refresh();
    void language_data();
    void language();
    void sizeKept_data();
    void sizeKept();
    void closeDuringFailingRefresh();
    void firstStartOffersSetup();
    void longNameKeepsValuesInView();
    void portOrder();
    void setupOk_data();
    void setupOk();
    void typedPortAndRate();

private:
    void startSimulator(const Arrange &arrange = {}, int baudRate = SimTest::kBaudRate)
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim, baudRate), QString());
        if (arrange)
            arrange(*m_sim);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestMainWindow::refresh_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<int>("rows");      // rows in the tree afterwards
    QTest::addColumn<int>("frames");    // requests the instrument received
    QTest::addColumn<QString>("first"); // "item number|column 0|column 1" of the first row
    QTest::addColumn<QString>("error"); // text of the one error box, empty for none
    const auto row = [](const char *tag, const Arrange &arrange, int baudRate, int rows, int frames,
                        const QString &first, const char *error) {
        QTest::newRow(tag) << arrange << baudRate << rows << frames << first
                           << QString::fromUtf8(error);
    };
    const auto answerEveryTime = [](const char *hex) {
        QByteArray answer = QByteArray::fromHex(hex);
        appendCrc(answer);
        return Arrange([=](InstrumentSimulator &s) {
            s.faults().replaceAnswers(answer, FaultPlan::kEveryTime);
        });
    };
    // Five text bytes announced, four sent.
    QByteArray shortText = QByteArray::fromHex("FF0305 61626364");
    appendCrc(shortText);
    const int fast = SimTest::kBaudRate;
    const QString name = QStringLiteral("0|01. 设备名称|: NV-100 流量计");
    // 65 GB2312 characters, so the answer's length byte is above 0x7F.
    const QString longName(65, QChar(0x6D4B));

    row("whole list", {}, fast, kDemoItems, kDemoItems + 1, name, "");
    // A slow line hands over the end of the list in pieces; a slow instrument answers late.
    row(
            "whole list at 9600 baud, 100 ms latency",
            [](InstrumentSimulator &s) { s.setLatencyMs(100); }, SimTest::kSlowBaudRate, kDemoItems,
            kDemoItems + 1, name, "");
    row(
            "CRC failure asked again", [](InstrumentSimulator &s) { s.faults().corruptCrc(1, 4); },
            fast, kDemoItems, kDemoItems + 2, name, "");
    row(
            "two CRC failures keep the earlier rows, the held name row too",
            [](InstrumentSimulator &s) { s.faults().corruptCrc(2, 1); }, fast, 1, 3, name,
            "CRC校验错误");
    row(
            "length mismatch not asked again",
            [=](InstrumentSimulator &s) { s.faults().replaceAnswers(shortText, 1, 2); }, fast, 2, 3,
            name, "数据长度校验错误");
    row(
            "long text whole, value with its colon",
            [=](InstrumentSimulator &s) {
                ItemSet items;
                items.append(SimItem(longName, QStringLiteral("12:30")));
                s.setItems(items);
            },
            fast, 1, 2, "0|01. " + longName + "|: 12:30", "");
    row("never-ending list stops after item 255", answerEveryTime("FF0303 783A31"), fast, 256, 256,
        "0|01. x|: 1", "");
    row("wrong address", answerEveryTime("FE0301 61"), fast, 0, 1, "", "地址或命令校验错误");
    row(
            "port missing keeps the list",
            [](InstrumentSimulator &) {
                singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort,
                                                        "/dev/norvo-none");
            },
            fast, 1, 0, "40|01. 旧项目|: 1",
            "打开串口失败: /dev/norvo-none 不存在，请检查串口名称和连线");
}

void TestMainWindow::refresh()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, baudRate);
    QFETCH(int, rows);
    QFETCH(int, frames);
    QFETCH(QString, first);
    QFETCH(QString, error);

    startSimulator(arrange, baudRate);
    MainWindow window;
    auto *tree = window.findChild<QTreeWidget *>();
    window.slotAddItems(40, {QStringLiteral("旧项目"), QStringLiteral("1")});
    ModalDriver driver;
    QSignalSpy messages(window.statusBar(), &QStatusBar::messageChanged);
    QAction *refresh = window.findChild<QAction *>("refresh");
    refresh->trigger();
    QVERIFY(window.isRefreshing());
    QVERIFY(!refresh->isEnabled() && !window.findChild<QAction *>("update")->isEnabled());
    window.slotRefresh(); // ignored while reading: the frame count shows one read
    QTRY_VERIFY_WITH_TIMEOUT(!window.isBusy() && !QApplication::activeModalWidget(),
                             kRefreshTimeoutMs);

    const QStringList texts = treeRows(tree);
    QCOMPARE(texts.size(), rows);
    QCOMPARE(texts.value(0), first);
    if (rows > 0) // the row number counts from 01; the tool tip tells the item number
        QVERIFY(tree->topLevelItem(0)->toolTip(1).startsWith("项目编号 "
                                                             + first.section('|', 0, 0)));
    for (int row = 0; error.isEmpty() && row < rows; ++row)
        QCOMPARE(texts.at(row).section('|', 0, 0), QString::number(row));
    if (rows == kDemoItems) { // a value with colons, the clock, an empty value, an action item
        QCOMPARE(
                QStringList({texts.at(13), texts.at(15), texts.at(19)}),
                QStringList({"13|14. 报警时间|: 12:30", "15|16. 用户备注|: ", "19|20. 重启设备|"}));
        QVERIFY2(QRegularExpression(
                         "^17\\|18\\. 设备时间\\|: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                         .match(texts.at(17))
                         .hasMatch(),
                 qPrintable(texts.at(17)));
    }
    QVERIFY(m_sim->waitForFrames(frames, 1000));
    QCOMPARE(m_sim->receivedFrames().size(), frames);

    QCOMPARE(driver.summaries(), error.isEmpty() ? QStringList() : QStringList{"刷新: " + error});
    if (!error.isEmpty()) {
        QCOMPARE(window.statusBar()->currentMessage(), error);
        return;
    }
    // The count of items read so far, then the total.
    QStringList progress;
    for (const QList<QVariant> &message : messages)
        progress << message.first().toString();
    QVERIFY(progress.contains(QStringLiteral("正在读取配置...... %1").arg(rows)));
    QCOMPARE(progress.last(), QStringLiteral("读取配置完成: %1 项").arg(rows));
}

void TestMainWindow::language_data()
{
    QTest::addColumn<QString>("stored");  // null: no key in config.ini
    QTest::addColumn<QString>("trigger"); // language action triggered afterwards, if any
    QTest::addColumn<QString>("checked"); // the one checked language action
    QTest::addColumn<QString>("code");    // stored afterwards
    QTest::addColumn<QString>("shown");   // "window title|refresh caption|first status|Qt's Cancel"
    const auto row = [](const char *tag, const char *stored, const char *trigger,
                        const char *checked, const char *code, const char *shown) {
        QTest::newRow(tag) << QString::fromLatin1(stored) << QString::fromLatin1(trigger) << checked
                           << code << shown;
    };
    const char *zh = "Norvo助手V3.5|刷新|准备就绪|取消";
    row("no key", nullptr, nullptr, "lang_zh_CH", "", zh);
    row("en_US", "en_US", nullptr, "lang_en_US", "en_US",
        "Norvo Assistant V3.5|Refresh|Ready|Cancel");
    // Any other code means Simplified Chinese; a long one went to the translation
    // loader as a file name, at every start.
    row("long code not searched for", QByteArray(4096, 'x').constData(), nullptr, "lang_zh_CH",
        "zh_CH", zh);
    row("to English", "zh_TW", "lang_en_US", "lang_en_US", "en_US",
        "Norvo Assistant V3.5|Refresh|準備就緒|Cancel");
}

void TestMainWindow::language()
{
    QFETCH(QString, stored);
    QFETCH(QString, trigger);
    QFETCH(QString, checked);
    QFETCH(QString, code);
    QFETCH(QString, shown);

    // The translation files are found where the build puts them.
    if (!stored.isNull())
        singleton<Config>::instance()->setValue(SettingsKeys::kLanguage, stored);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (!trigger.isEmpty())
        window.findChild<QAction *>(trigger)->trigger();
    QTest::qWait(kSettleMs); // the tool bar lays itself out again

    for (const char *name : {"lang_en_US", "lang_zh_CH", "lang_zh_TW"})
        QCOMPARE(window.findChild<QAction *>(name)->isChecked(), checked == QLatin1String(name));
    QCOMPARE(singleton<Config>::instance()->value(SettingsKeys::kLanguage).toString(), code);
    // The first message stays in the language the window started in; Qt's own
    // texts follow every switch.
    QCOMPARE(window.windowTitle() + '|' + window.findChild<QAction *>("refresh")->text() + '|'
                     + window.statusBar()->currentMessage() + '|'
                     + QCoreApplication::translate("QPlatformTheme", "Cancel"),
             shown);
    // Every tool-bar button is on screen; none hides behind the extension arrow.
    auto *toolBar = window.findChild<QToolBar *>("toolBar");
    QVERIFY(!toolBar->findChild<QWidget *>("qt_toolbar_ext_button")->isVisible());
    for (QAction *action : toolBar->actions())
        QVERIFY2(toolBar->widgetForAction(action)->isVisible(), qPrintable(action->objectName()));
}

void TestMainWindow::sizeKept_data()
{
    QTest::addColumn<QVariant>("stored"); // width and height
    QTest::addColumn<QSize>("size");      // at start
    QTest::addColumn<bool>("refreshing");
    const QSize screen = availableSize();
    QTest::newRow("height 300 raised, closed during a refresh")
            << QVariant(300) << QSize(qMin(300, screen.width()), 600) << true;
    QTest::newRow("700 kept on a screen that has room, idle")
            << QVariant(700) << QSize(700, 700).boundedTo(screen) << false;
    QTest::newRow("huge size bounded by the screen")
            << QVariant(std::numeric_limits<int>::max()) << screen << false;
}

// The stored size within the screen, the tool bar's width and 600 high at least, kept
// by a language switch whose tool bar fits; closing keeps it and an empty language.
void TestMainWindow::sizeKept()
{
    QFETCH(QVariant, stored);
    QFETCH(QSize, size);
    QFETCH(bool, refreshing);

    startSimulator([](InstrumentSimulator &s) { s.setLatencyMs(40); });
    singleton<Config>::instance()->setValue(SettingsKeys::kWindowWidth, stored);
    singleton<Config>::instance()->setValue(SettingsKeys::kWindowHeight, stored);
    MainWindow window;
    QCOMPARE(window.size(), size.expandedTo(QSize(window.minimumWidth(), 0)));
    window.applyLanguage(QStringLiteral("zh_TW"));
    QCOMPARE(window.size(), size.expandedTo(QSize(window.minimumWidth(), 0)));
    window.applyLanguage(QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int width = window.width() + 30;
    window.resize(width, 640);
    if (refreshing) {
        window.findChild<QAction *>("refresh")->trigger();
        QTest::qWait(kSettleMs);
        QVERIFY(window.isRefreshing());
    }
    QVERIFY(window.close());

    QCOMPARE(m_sim->receivedFrames().size(), refreshing ? kDemoItems + 1 : 0); // read to its end
    QSettings saved(QString::fromLatin1(SettingsKeys::kFileName), QSettings::IniFormat);
    QCOMPARE(saved.value(SettingsKeys::kWindowWidth).toInt(), width);
    QCOMPARE(saved.value(SettingsKeys::kWindowHeight).toInt(), 640);
    QCOMPARE(saved.value(SettingsKeys::kLanguage, QStringLiteral("absent")).toString(), QString());
}

// A refresh that fails after the window was closed shows nothing, and the
// program ends once the refresh has run out.
void TestMainWindow::closeDuringFailingRefresh()
{
    // The first item's answer and its retry come a second late each, both spoiled.
    startSimulator([](InstrumentSimulator &s) {
        s.setLatencyMs(1000);
        s.faults().corruptCrc(2, 0);
    });
    ModalDriver driver; // records a box, should one appear, and answers it so the test cannot hang
    bool readingWhenClosed = false;
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<QAction *>("refresh")->trigger();
        QTimer::singleShot(kSettleMs, &window, [&] {
            readingWhenClosed = window.isRefreshing();
            window.close();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(kRefreshTimeoutMs);
        QCOMPARE(QApplication::exec(), 0); // ended by the last window closing
        QVERIFY(!window.isRefreshing());
        QTest::qWait(kSettleMs); // anything still queued for the window
    }
    QVERIFY(readingWhenClosed);
    QCOMPARE(driver.summaries(), QStringList());
    QCOMPARE(m_sim->receivedFrames().size(), 2); // the item and its one retry
}

// Without a configured port the refresh error offers the serial settings.
void TestMainWindow::firstStartOffersSetup()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ModalDriver driver;
    driver.plan([](QWidget *box) {
        for (QAbstractButton *button : qobject_cast<QMessageBox *>(box)->buttons()) {
            if (button->text() == QStringLiteral("通讯设置"))
                button->click();
        }
    });
    window.findChild<QAction *>("refresh")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(driver.shown().size() == 2 && !QApplication::activeModalWidget(),
                             kRefreshTimeoutMs);

    QCOMPARE(driver.summaries(), (QStringList{"刷新: 串口打开失败", "串口设置: "}));
    QCOMPARE(driver.shown().first().buttons, (QStringList{"确定", "通讯设置"}));
}

void TestMainWindow::longNameKeepsValuesInView()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *tree = window.findChild<QTreeWidget *>();
    window.slotAddItems(0, {QString(65, QChar(0x6D4B)), QStringLiteral("12")});
    window.slotAddItems(1, {QStringLiteral("短"), QStringLiteral("3")});
    QVERIFY(tree->columnWidth(0) <= tree->viewport()->width() / 2);
    QVERIFY(tree->visualItemRect(tree->topLevelItem(1)).width() > 0);
    // A short list gives the names the room they need, not half the window.
    window.slotClearItems();
    window.slotAddItems(0, {QStringLiteral("短"), QStringLiteral("3")});
    QVERIFY(tree->columnWidth(0) < tree->viewport()->width() / 4);
}

void TestMainWindow::portOrder()
{
    QCOMPARE(portChoices({"COM10", "COM3", "COM1"}, QString()),
             (QStringList{"COM1", "COM3", "COM10"}));
    // A stored port that is absent stays choosable; duplicates and empty names go.
    QCOMPARE(portChoices({"COM10", "", "COM3", "COM1", "COM3"}, "COM7"),
             (QStringList{"COM1", "COM3", "COM7", "COM10"}));
}

void TestMainWindow::setupOk_data()
{
    QTest::addColumn<QString>("port"); // stored before the dialog opens
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("shownRate");
    QTest::addColumn<QString>("refusal"); // the box OK shows; empty when it accepts

    const auto row = [](const char *tag, const char *port, const char *rate, const char *shownRate,
                        const char *refusal) { // nullptr: a null text
        QTest::newRow(tag) << QString::fromUtf8(port) << QString::fromUtf8(rate)
                           << QString::fromUtf8(shownRate) << QString::fromUtf8(refusal);
    };
    row("first start selects nothing", nullptr, nullptr, nullptr, "请选择串口!");
    row("absent port preselected, listed rate", "COM7", "115200", "115200", nullptr);
    row("rate not in list", "COM7", "43001", nullptr, "请选择波特率!");
}

void TestMainWindow::setupOk()
{
    QFETCH(QString, port);
    QFETCH(QString, rate);
    QFETCH(QString, shownRate);
    QFETCH(QString, refusal);
    if (!port.isNull())
        config()->setValue(SettingsKeys::kSerialPort, port);
    if (!rate.isNull())
        config()->setValue(SettingsKeys::kSerialBaudRate, rate);

    SetupDialog dialog;
    dialog.loadConfig(); // loading again shows every port once
    QCOMPARE(box(dialog, "port")->count(), portChoices(availablePortNames(), port).size());
    QCOMPARE(box(dialog, "port")->currentText(), port);
    QCOMPARE(box(dialog, "port")->currentIndex() == -1, port.isEmpty());
    QCOMPARE(box(dialog, "baudrate")->currentText(), shownRate);
    QCOMPARE(box(dialog, "baudrate")->currentIndex() == -1, shownRate.isEmpty());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ModalDriver driver;
    dialog.findChild<QPushButton *>("ok")->click();

    QCOMPARE(driver.summaries(),
             refusal.isEmpty() ? QStringList() : QStringList{"串口设置: " + refusal});
    QCOMPARE(dialog.isVisible(), !refusal.isEmpty());
    QCOMPARE(config()->value(SettingsKeys::kSerialPort).toString(), port);
    QCOMPARE(config()->value(SettingsKeys::kSerialBaudRate).toString(), rate);
}

// A path the system does not list (a pseudo-terminal, a link to one) and a
// rate not in the list are typed in and stored as typed, the rate as a string;
// the list is scanned again when it opens; both boxes stay under each other
// however long the path.
void TestMainWindow::typedPortAndRate()
{
    const QString path
            = QStringLiteral("/tmp/norvo/a-rather-long-link-to-the-simulated-instrument");
    SetupDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QComboBox *port = box(dialog, "port");
    QComboBox *rate = box(dialog, "baudrate");
    port->lineEdit()->selectAll();
    QTest::keyClicks(port->lineEdit(), path);
    rate->setCurrentText("43000");

    const auto edges = [&dialog](QWidget *widget) {
        const QPoint left = widget->mapTo(&dialog, QPoint(0, 0));
        return qMakePair(left.x(), left.x() + widget->width());
    };
    QCOMPARE(edges(port), edges(rate));
    QVERIFY(edges(port).second <= dialog.width());

    config()->setValue(SettingsKeys::kSerialPort, "COM42"); // as if another window chose it
    port->showPopup();
    QVERIFY(port->findText("COM42") >= 0);
    QCOMPARE(port->currentText(), path); // what was typed survives the new list
    port->hidePopup();

    dialog.findChild<QPushButton *>("ok")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(config()->value(SettingsKeys::kSerialPort).toString(), path);
    const QVariant storedRate = config()->value(SettingsKeys::kSerialBaudRate);
    QCOMPARE(storedRate.userType(), int(QMetaType::QString));
    QCOMPARE(storedRate.toString(), QStringLiteral("43000"));

    singleton<Config>::destroyInstance();
    SetupDialog reopened;
    QCOMPARE(box(reopened, "port")->currentText(), path);
    QCOMPARE(box(reopened, "baudrate")->currentText(), QStringLiteral("43000"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
