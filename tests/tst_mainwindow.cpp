#include "config.h"
#include "guiresources.h"
#include "instrumentsimulator.h"
#include "mainwindow.h"
#include "settingskeys.h"

#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

namespace {
constexpr int kPollMs = 20;
constexpr int kRefreshTimeoutMs = 20000;
constexpr int kSettleMs = 100;

// What a modal window showed before the test closed it.
struct ShownModal
{
    QString objectName;
    QString title;
    QString text;
    QString okCaption;
    QImage icon;
    bool childOfWindow = false;
};

// Closes every modal window that appears (OK for a message box, reject for a
// dialog), recording what each showed.
class ModalCloser : public QObject
{
public:
    explicit ModalCloser(QWidget *window)
        : m_window(window)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { closeActiveModal(); });
        m_timer.start(kPollMs);
    }

    const QList<ShownModal> &shown() const { return m_shown; }

private:
    void closeActiveModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        ShownModal seen;
        seen.objectName = modal->objectName();
        seen.title = modal->windowTitle();
        seen.childOfWindow = modal->parentWidget() == m_window;
        const QList<QSize> sizes = modal->windowIcon().availableSizes();
        if (!sizes.isEmpty())
            seen.icon = modal->windowIcon().pixmap(sizes.first()).toImage();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.text = box->text();
            seen.okCaption = box->button(QMessageBox::Ok)->text();
            m_shown.append(seen);
            box->button(QMessageBox::Ok)->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            m_shown.append(seen);
            dialog->reject();
        }
    }

    QWidget *m_window;
    QTimer m_timer;
    QList<ShownModal> m_shown;
};

enum class Instrument { Demo, EmptyList, CrcTwiceOnItem4, NoPort };

Config *config()
{
    return singleton<Config>::instance();
}

void storeSetting(const char *key, const QVariant &value)
{
    config()->setValue(QString::fromLatin1(key), value);
}

template<typename T>
T *child(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

QStringList objectNames(const QList<QAction *> &actions)
{
    QStringList names;
    for (const QAction *action : actions)
        names.append(action->objectName());
    return names;
}

// The empty tool bar, the widget of every action on the window's tool bar and
// the tool bar's spacing between neighbouring widgets.
int toolBarWidthRule(QWidget &window)
{
    auto *toolBar = child<QToolBar>(window, "toolBar");
    const QList<QAction *> actions = toolBar->actions();
    int width = QToolBar().minimumSizeHint().width();
    for (QAction *action : actions)
        width += toolBar->widgetForAction(action)->minimumSizeHint().width();
    return width + (actions.size() - 1) * toolBar->layout()->spacing();
}

void waitForRefresh(MainWindow &window)
{
    QTRY_VERIFY_WITH_TIMEOUT(!window.isRefreshing(), kRefreshTimeoutMs);
    QTest::qWait(kSettleMs); // rows still queued for the window
}
} // namespace

Q_DECLARE_METATYPE(Instrument)

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void menuAndToolBarOrder();
    void itemRows();
    void refresh_data();
    void refresh();
    void secondRefreshIgnored();
    void closeWhileRefreshing();
    void languageAtStart_data();
    void languageAtStart();
    void languageSlots_data();
    void languageSlots();
    void windowSize_data();
    void windowSize();
    void toolBarFits_data();
    void toolBarFits();
    void slotOrder();
    void closeSavesSettings();
    void dialogs_data();
    void dialogs();

private:
    void startSimulator();
    void placeTranslation(const QString &code);

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestMainWindow::initTestCase()
{
    initGuiResources();
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void TestMainWindow::cleanup()
{
    m_sim.reset();
    singleton<Config>::destroyInstance();
    const QStringList files{QString::fromLatin1(SettingsKeys::kFileName),
                            QStringLiteral("en_US.qm"), QStringLiteral("zh_TW.qm")};
    for (const QString &file : files)
        QFile::remove(file);
}

void TestMainWindow::startSimulator()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    QString error;
    QVERIFY2(m_sim->start(&error), qPrintable(error));
    storeSetting(SettingsKeys::kSerialPort, m_sim->portName());
    storeSetting(SettingsKeys::kSerialBaudRate, QStringLiteral("115200"));
}

void TestMainWindow::placeTranslation(const QString &code)
{
    const QString compiled = QStringLiteral(NORVO_RUN_FILES_DIR "/%1.qm").arg(code);
    QVERIFY2(QFile::copy(compiled, code + QStringLiteral(".qm")), qPrintable(compiled));
}

void TestMainWindow::menuAndToolBarOrder()
{
    MainWindow window;
    QCOMPARE(objectNames(child<QMenu>(window, "menu")->actions()),
             (QStringList{"setup", "refresh", "import_2", "export_2", "save", "sync_time", "debug",
                          "update", "monitor"}));
    QCOMPARE(objectNames(child<QMenu>(window, "menu_2")->actions()),
             (QStringList{"lang_en_US", "lang_zh_CH", "lang_zh_TW"}));
    QCOMPARE(objectNames(child<QMenu>(window, "menu_3")->actions()), QStringList{"about"});
    QCOMPARE(objectNames(child<QToolBar>(window, "toolBar")->actions()),
             (QStringList{"setup", "refresh", "import_2", "export_2", "sync_time", "debug",
                          "update", "monitor"}));
    QStringList menuTitles;
    for (const QAction *entry : window.menuBar()->actions())
        menuTitles.append(entry->text());
    QCOMPARE(menuTitles, (QStringList{"操作", "语言", "帮助"}));
    QCOMPARE(window.windowTitle(), QStringLiteral("Norvo助手V3.5"));

    int named = 0;
    for (const QAction *action : window.findChildren<QAction *>()) {
        if (action->objectName().isEmpty()) // menu titles, the tool bar's own toggle
            continue;
        ++named;
        QCOMPARE(action->toolTip(), action->text());
        const bool language = action->objectName().startsWith(QLatin1String("lang_"));
        QCOMPARE(action->isCheckable(), language);
        QCOMPARE(action->icon().isNull(), language);
    }
    QCOMPARE(named, 13);
    // History, firmware update and the monitor come with their dialogs.
    for (const char *name : {"debug", "update", "monitor"})
        QVERIFY(!child<QAction>(window, name)->isEnabled());
}

void TestMainWindow::itemRows()
{
    MainWindow window;
    auto *tree = window.findChild<QTreeWidget *>();
    window.slotAddItems(7, {QStringLiteral(" 通讯地址 "), QStringLiteral(" 1 ")});
    window.slotAddItems(8, {QStringLiteral("保存配置")});
    window.slotAddItems(9,
                        {QStringLiteral("报警时间"), QStringLiteral("12"), QStringLiteral("30")});
    for (int i = 3; i < 100; ++i)
        window.slotAddItems(i + 7, {QStringLiteral("项"), QString()});

    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("01. 通讯地址"));
    QCOMPARE(tree->topLevelItem(0)->text(1), QStringLiteral(": 1"));
    QCOMPARE(tree->topLevelItem(0)->data(0, Qt::UserRole), QVariant(7));
    QCOMPARE(tree->topLevelItem(1)->text(1), QString()); // an action item
    QCOMPARE(tree->topLevelItem(2)->text(1), QStringLiteral(": 12"));
    QCOMPARE(tree->topLevelItem(3)->text(1), QStringLiteral(": ")); // an empty value
    QCOMPARE(tree->topLevelItem(98)->text(0), QStringLiteral("99. 项"));
    QCOMPARE(tree->topLevelItem(99)->text(0), QStringLiteral("100. 项"));
    QCOMPARE(tree->topLevelItem(99)->data(0, Qt::UserRole), QVariant(106));
}

void TestMainWindow::refresh_data()
{
    QTest::addColumn<Instrument>("instrument");
    QTest::addColumn<int>("rows");      // rows in the tree afterwards
    QTest::addColumn<QString>("error"); // text of the one error box, empty for none

    QTest::newRow("demo items") << Instrument::Demo << 20 << QString();
    QTest::newRow("empty list empties the tree") << Instrument::EmptyList << 0 << QString();
    QTest::newRow("CRC fails twice on item 4")
            << Instrument::CrcTwiceOnItem4 << 4 << QStringLiteral("CRC校验错误");
    QTest::newRow("port missing keeps the tree")
            << Instrument::NoPort << 2 << QStringLiteral("打开串口失败: /dev/norvo-no-such-port");
}

void TestMainWindow::refresh()
{
    QFETCH(Instrument, instrument);
    QFETCH(int, rows);
    QFETCH(QString, error);

    if (instrument == Instrument::NoPort) {
        storeSetting(SettingsKeys::kSerialPort, QStringLiteral("/dev/norvo-no-such-port"));
    } else {
        startSimulator();
        if (instrument == Instrument::EmptyList)
            m_sim->setItems(ItemSet());
        if (instrument == Instrument::CrcTwiceOnItem4)
            m_sim->faults().corruptCrc(2, 4);
    }

    MainWindow window;
    auto *tree = window.findChild<QTreeWidget *>();
    window.slotAddItems(40, {QStringLiteral("旧项目"), QStringLiteral("1")});
    window.slotAddItems(41, {QStringLiteral("旧项目"), QStringLiteral("2")});
    ModalCloser closer(&window);
    child<QAction>(window, "refresh")->trigger();
    waitForRefresh(window);

    QCOMPARE(tree->topLevelItemCount(), rows);
    if (instrument == Instrument::Demo || instrument == Instrument::CrcTwiceOnItem4) {
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("01. 设备名称"));
        QCOMPARE(tree->topLevelItem(0)->text(1), QStringLiteral(": NV-100 流量计"));
        for (int row = 0; row < rows; ++row)
            QCOMPARE(tree->topLevelItem(row)->data(0, Qt::UserRole), QVariant(row));
    }
    if (instrument == Instrument::Demo) {
        QCOMPARE(tree->topLevelItem(13)->text(1), QStringLiteral(": 12")); // "12:30" split
        QCOMPARE(tree->topLevelItem(19)->text(0), QStringLiteral("20. 重启设备"));
        QCOMPARE(tree->topLevelItem(19)->text(1), QString());
    }

    if (error.isEmpty()) {
        QVERIFY(closer.shown().isEmpty());
        return;
    }
    QCOMPARE(closer.shown().size(), 1);
    const ShownModal box = closer.shown().first();
    QCOMPARE(box.title, QStringLiteral("刷新"));
    QCOMPARE(box.text, error);
    QCOMPARE(box.okCaption, QStringLiteral("确定"));
    QVERIFY(box.childOfWindow);
    // The worker names the icon; it is not the window's own.
    QCOMPARE(box.icon, QPixmap(QStringLiteral(":/image/refresh.png")).toImage());
    QVERIFY(box.icon != QPixmap(QStringLiteral(":/image/configure.png")).toImage());
    QCOMPARE(window.statusBar()->currentMessage(), error);
}

void TestMainWindow::secondRefreshIgnored()
{
    startSimulator();
    m_sim->setLatencyMs(40);
    MainWindow window;
    auto *tree = window.findChild<QTreeWidget *>();
    QAction *refresh = child<QAction>(window, "refresh");
    refresh->trigger();
    QTest::qWait(kSettleMs);
    QVERIFY(window.isRefreshing());
    refresh->trigger();
    waitForRefresh(window);

    QCOMPARE(tree->topLevelItemCount(), 20);
    QCOMPARE(m_sim->receivedFrames().size(), 21);
}

void TestMainWindow::closeWhileRefreshing()
{
    startSimulator();
    m_sim->setLatencyMs(40);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize size = window.size();
    child<QAction>(window, "refresh")->trigger();
    QTest::qWait(kSettleMs);
    QVERIFY(window.isRefreshing());
    QVERIFY(window.close());

    QVERIFY(!window.isRefreshing());
    QVERIFY(window.isHidden());
    QCOMPARE(m_sim->receivedFrames().size(), 21); // the read ran to its end
    QSettings saved(QString::fromLatin1(SettingsKeys::kFileName), QSettings::IniFormat);
    QCOMPARE(saved.value(SettingsKeys::kWindowWidth).toInt(), size.width());
    QCOMPARE(saved.value(SettingsKeys::kWindowHeight).toInt(), size.height());
}

void TestMainWindow::languageAtStart_data()
{
    QTest::addColumn<QVariant>("stored"); // invalid: no key in config.ini
    QTest::addColumn<bool>("englishFile");
    QTest::addColumn<QString>("checked"); // the one checked language action
    QTest::addColumn<QString>("title");

    const QString chinese = QStringLiteral("Norvo助手V3.5");
    const QString english = QStringLiteral("Norvo AssistantV3.5");
    QTest::newRow("no key") << QVariant() << true << "lang_zh_CH" << chinese;
    QTest::newRow("empty code") << QVariant(QString()) << true << "lang_zh_CH" << chinese;
    QTest::newRow("en_US with file") << QVariant("en_US") << true << "lang_en_US" << english;
    QTest::newRow("en_US without file") << QVariant("en_US") << false << "lang_en_US" << chinese;
    QTest::newRow("zh_CH") << QVariant("zh_CH") << true << "lang_zh_CH" << chinese;
    QTest::newRow("zh_TW") << QVariant("zh_TW") << true << "lang_zh_TW" << chinese;
    QTest::newRow("fr") << QVariant("fr") << true << "lang_zh_CH" << chinese;
    QTest::newRow("case matters") << QVariant("EN_us") << true << "lang_zh_CH" << chinese;
}

void TestMainWindow::languageAtStart()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, englishFile);
    QFETCH(QString, checked);
    QFETCH(QString, title);

    if (englishFile)
        placeTranslation(QStringLiteral("en_US"));
    if (stored.isValid())
        storeSetting(SettingsKeys::kLanguage, stored);

    MainWindow window;
    for (const char *name : {"lang_en_US", "lang_zh_CH", "lang_zh_TW"})
        QCOMPARE(child<QAction>(window, name)->isChecked(), checked == QLatin1String(name));
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(config()->value(QString::fromLatin1(SettingsKeys::kLanguage)),
             QVariant(stored.toString()));
    QCOMPARE(window.width(), toolBarWidthRule(window));
    QCOMPARE(window.minimumWidth(), window.width());
}

void TestMainWindow::languageSlots_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("refreshCaption");
    QTest::addColumn<QString>("title");

    QTest::newRow("English") << "lang_en_US"
                             << "en_US"
                             << "Refresh"
                             << "Norvo AssistantV3.5";
    QTest::newRow("Traditional") << "lang_zh_TW"
                                 << "zh_TW"
                                 << "重新整理"
                                 << "Norvo助手V3.5";
    QTest::newRow("Simplified, no file") << "lang_zh_CH"
                                         << "zh_CH"
                                         << "刷新"
                                         << "Norvo助手V3.5";
}

void TestMainWindow::languageSlots()
{
    QFETCH(QString, action);
    QFETCH(QString, code);
    QFETCH(QString, refreshCaption);
    QFETCH(QString, title);

    placeTranslation(QStringLiteral("en_US"));
    placeTranslation(QStringLiteral("zh_TW"));
    storeSetting(SettingsKeys::kLanguage, QStringLiteral("en_US"));
    MainWindow window;
    if (code == QLatin1String("en_US"))
        child<QAction>(window, "lang_zh_TW")->trigger(); // start from another language
    const int heightBefore = window.height();

    window.findChild<QAction *>(action)->trigger();

    for (const char *name : {"lang_en_US", "lang_zh_CH", "lang_zh_TW"})
        QCOMPARE(child<QAction>(window, name)->isChecked(), action == QLatin1String(name));
    QCOMPARE(config()->value(QString::fromLatin1(SettingsKeys::kLanguage)).toString(), code);
    QCOMPARE(child<QAction>(window, "refresh")->text(), refreshCaption);
    QCOMPARE(child<QAction>(window, "refresh")->toolTip(), refreshCaption);
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.width(), toolBarWidthRule(window));
    QCOMPARE(window.height(), heightBefore);
}

void TestMainWindow::windowSize_data()
{
    QTest::addColumn<QVariant>("storedHeight");
    QTest::addColumn<int>("height");

    QTest::newRow("no key") << QVariant() << 600;
    QTest::newRow("300 raised") << QVariant(300) << 600;
    QTest::newRow("800 kept") << QVariant(800) << 800;
}

void TestMainWindow::windowSize()
{
    QFETCH(QVariant, storedHeight);
    QFETCH(int, height);

    storeSetting(SettingsKeys::kWindowWidth, 1000); // replaced by the tool-bar width
    if (storedHeight.isValid())
        storeSetting(SettingsKeys::kWindowHeight, storedHeight);
    MainWindow window;
    QCOMPARE(window.height(), height);
    QCOMPARE(window.width(), toolBarWidthRule(window));
}

void TestMainWindow::toolBarFits_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("English") << "en_US";
    QTest::newRow("Simplified") << "zh_CH";
    QTest::newRow("Traditional") << "zh_TW";
}

// Every tool-bar button is on screen; none hides behind the extension arrow.
void TestMainWindow::toolBarFits()
{
    QFETCH(QString, code);

    placeTranslation(QStringLiteral("en_US"));
    placeTranslation(QStringLiteral("zh_TW"));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.applyLanguage(code);
    QTest::qWait(kSettleMs); // the tool bar lays itself out again

    auto *toolBar = child<QToolBar>(window, "toolBar");
    auto *extension = child<QWidget>(*toolBar, "qt_toolbar_ext_button");
    QVERIFY(extension);
    QVERIFY(!extension->isVisible());
    for (QAction *action : toolBar->actions()) {
        QWidget *button = toolBar->widgetForAction(action);
        QVERIFY2(button->isVisible(), qPrintable(action->objectName()));
        QVERIFY2(toolBar->rect().contains(button->geometry()), qPrintable(action->objectName()));
    }
    QCOMPARE(window.width(), toolBarWidthRule(window));
}

// The slots in the order the window declares them, which is its meta-object order.
void TestMainWindow::slotOrder()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QStringList declared;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        if (meta.method(i).methodType() == QMetaMethod::Slot)
            declared << QString::fromLatin1(meta.method(i).methodSignature());
    }
    QCOMPARE(declared,
             (QStringList{"slotCommunicationSetup()", "slotRefresh()", "slotExportItems()",
                          "slotImportItems()", "slotWriteItems()", "slotSyncTime()", "slotAbout()",
                          "slotClearItems()", "slotAddItems(int,QStringList)",
                          "slotShowErrorMessage(QString,QString,QString)",
                          "slotItemDoubleClicked(QTreeWidgetItem*,int)", "slot_en_US()",
                          "slot_zh_CH()", "slot_zh_TW()"}));
}

void TestMainWindow::closeSavesSettings()
{
    QVERIFY(!QFile::exists(QString::fromLatin1(SettingsKeys::kFileName)));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(window.width() + 30, 640);
    const QSize size = window.size();
    QVERIFY(window.close());

    QVERIFY(QFile::exists(QString::fromLatin1(SettingsKeys::kFileName)));
    QSettings saved(QString::fromLatin1(SettingsKeys::kFileName), QSettings::IniFormat);
    QCOMPARE(saved.value(SettingsKeys::kWindowWidth).toInt(), size.width());
    QCOMPARE(saved.value(SettingsKeys::kWindowHeight).toInt(), 640);
    QVERIFY(saved.contains(SettingsKeys::kLanguage));
    QCOMPARE(saved.value(SettingsKeys::kLanguage).toString(), QString());
}

void TestMainWindow::dialogs_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dialog");

    QTest::newRow("setup") << "setup"
                           << "SetupDialog";
    QTest::newRow("about") << "about"
                           << "NeutralAboutDialog";
}

void TestMainWindow::dialogs()
{
    QFETCH(QString, action);
    QFETCH(QString, dialog);

    MainWindow window;
    ModalCloser closer(&window);
    window.findChild<QAction *>(action)->trigger();
    QCOMPARE(closer.shown().size(), 1);
    QCOMPARE(closer.shown().first().objectName, dialog);
    QVERIFY(closer.shown().first().childOfWindow);
    QVERIFY(window.findChildren<QDialog *>().isEmpty()); // destroyed when the slot returned
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
