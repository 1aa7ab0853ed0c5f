#include "commandset.h"
#include "guiresources.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "modifydialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <functional>
#include <memory>

using Arrange = std::function<void(FaultPlan &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kClockToleranceSecs = 5;
constexpr int kOperationTimeoutMs = 20000;
const QString kMarker = QStringLiteral("marker"); // on the status bar before each operation
const QString kWritten = QStringLiteral("写入配置成功");
const QString kBulkWritten = QStringLiteral("已写入 %1 项, 回读一致");

// Numbers of the simulated instrument's built-in items, and of an action item
// the instrument does not have: nothing may reach it.
enum Item {
    Name = 0,
    Serial = 2,
    Mode = 4,
    Limit = 11,
    Damping,
    AlarmTime,
    Clock = 17,
    Save,
    Restart
};
constexpr int kFactoryReset = 40;

// Commits value in the edit dialog, or answers an action item's box: a null value cancels.
ModalDriver::Answer answerEdit(const QString &value)
{
    return [value](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            return box->button(value.isNull() ? QMessageBox::Cancel : QMessageBox::Ok)->click();
        auto *dialog = qobject_cast<ModifyDialog *>(modal);
        if (dialog->lineEdit())
            dialog->lineEdit()->setText(value);
        else
            dialog->comboBox()->setCurrentText(value);
        dialog->findChild<QPushButton *>("commit")->click();
    };
}
} // namespace

// The main window's item operations against the simulated instrument: what
// the user sees and what reaches the instrument.
class TestItemOperations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
    }
    void init();
    void cleanup()
    {
        m_window.reset();
        m_sim.reset();
        SimTest::resetSettings();
    }
    void editItem_data();
    void editItem();
    void treeClearedWhileEditing();
    void bulkWrite_data();
    void bulkWrite();
    void compareAndWriteChanged();
    void itemFile();
    void syncTime_data();
    void syncTime();
    void windowKeepsRunning();
    void editDialogKeys();

private:
    // The item's row as the instrument's list would show it, or with another value.
    void addRow(int item, const QString &value = QString())
    {
        const SimItem simItem = m_sim->items().at(item);
        QStringList fields{simItem.name()};
        if (simItem.hasValue())
            fields << (value.isNull() ? simItem.value() : value);
        m_window->slotAddItems(item, fields);
    }
    void trigger(const char *action) { m_window->findChild<QAction *>(action)->trigger(); }
    QString status() const { return m_window->statusBar()->currentMessage(); }
    // Until the exchange has ended and its last box is answered.
    bool waitIdle()
    {
        return QTest::qWaitFor(
                [this] { return !m_window->isBusy() && !QApplication::activeModalWidget(); },
                kOperationTimeoutMs);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
    std::unique_ptr<MainWindow> m_window;
    QTreeWidget *m_tree = nullptr;
};

void TestItemOperations::init()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    QCOMPARE(SimTest::startOnConfiguredPort(*m_sim), QString());
    m_window = std::make_unique<MainWindow>();
    m_tree = m_window->findChild<QTreeWidget *>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->statusBar()->showMessage(kMarker);
}

void TestItemOperations::editItem_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("answer");    // null: cancel, nothing sent
    QTest::addColumn<QStringList>("shown"); // the editor or action box, then any error box
    QTest::addColumn<QString>("column1");
    QTest::addColumn<QString>("notice");
    const auto row = [](const char *tag, Item item, const QString &answer, const QStringList &shown,
                        const char *column1, const QString &notice) {
        QTest::newRow(tag) << int(item) << answer << shown << column1 << notice;
    };
    row("choice list preselects, option written", Mode, "测试", {"工作模式: 自动"}, ": 测试",
        kWritten);
    row("refused value shows the old one", Serial, "SN2", {"序列号: NV2026120601"},
        ": NV2026120601", "写入配置失败,该项不支持修改");
    row("action item confirmed", Save, "", {": 保存配置"}, "", kWritten);
    row("action item cancelled", Save, QString(), {": 保存配置"}, "", kMarker);
}

void TestItemOperations::editItem()
{
    QFETCH(int, item);
    QFETCH(QString, answer);
    QFETCH(QStringList, shown);
    QFETCH(QString, column1);
    QFETCH(QString, notice);

    addRow(item);
    ModalDriver driver;
    driver.plan(answerEdit(answer));
    emit m_tree->itemDoubleClicked(m_tree->topLevelItem(0), 1);
    QVERIFY(waitIdle());

    QCOMPARE(driver.summaries(), shown);
    QCOMPARE(m_tree->topLevelItem(0)->text(1), column1);
    QCOMPARE(status(), notice);
    QCOMPARE(m_sim->receivedFrames(),
             answer.isNull() ? QList<QByteArray>()
                             : QList<QByteArray>{makeWriteItemFrame(item, answer)});
    if (item == Save && !answer.isNull()) // count byte: the terminating zero alone
        QCOMPARE(int(m_sim->receivedFrames().first().at(6)), 1);
}

// A refresh may clear the tree while the edit dialog is open; the edited row
// is then gone and nothing is written.
void TestItemOperations::treeClearedWhileEditing()
{
    addRow(Limit);
    ModalDriver driver;
    driver.plan([this](QWidget *modal) {
        m_window->slotClearItems();
        answerEdit(QStringLiteral("9"))(modal);
    });
    emit m_tree->itemDoubleClicked(m_tree->topLevelItem(0), 1);
    QVERIFY(waitIdle());

    QCOMPARE(driver.shown().size(), 1);
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    QCOMPARE(m_sim->receivedByteCount(), 0);
}

void TestItemOperations::bulkWrite_data()
{
    QTest::addColumn<QList<int>>("items"); // the tree's rows
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<bool>("withClock"); // the answer to the question about time values
    QTest::addColumn<QList<int>>("sentRows");
    QTest::addColumn<QList<int>>("readRows"); // read back after the writes
    QTest::addColumn<QStringList>("boxes"); // how each "title: text" begins; the last on the status

    // An old time would set the clock back: left out unless the user agrees.
    const QString clockQuestion = QStringLiteral("Norvo助手V3.5: ");
    QTest::newRow("values in tree order, actions and old time left out, refusal named")
            << QList<int>{Limit, Save, Serial, Clock, Restart, Name, AlarmTime}
            << QStringList{"6", "", "SN9", "2000-01-01 00:00:00", "", "NV-2", "12:45"} << Arrange()
            << false << QList<int>{0, 2, 5, 6} << QList<int>{0, 5, 6}
            << QStringList{clockQuestion,
                           "写入配置: 写入 4 项, 其中 1 项未被仪表采用:\n"
                           "03. 序列号: NV2026120601  (未采用 SN9)"};
    QTest::newRow("time written when agreed, link failure on the third item stops")
            << QList<int>{Clock, Name, Limit, Damping}
            << QStringList{"2000-01-01 00:00:00", "NV-2", "7", "4"}
            << Arrange([](FaultPlan &f) { f.corruptCrc(1, Limit); }) << true << QList<int>{0, 1, 2}
            << QList<int>()
            << QStringList{clockQuestion, "提交: CRC校验错误", "写入配置: 写入配置失败: 7"};
    // The echo says 7, the instrument keeps 450.0: the read-back tells.
    QTest::newRow("value echoed but not kept fails the read-back")
            << QList<int>{Clock, Limit, Damping} << QStringList{"2000-01-01 00:00:00", "7", "4"}
            << Arrange([](FaultPlan &f) { f.forgetWrites(1, Limit); }) << true
            << QList<int>{0, 1, 2} << QList<int>{0, 1, 2}
            << QStringList{clockQuestion,
                           "写入配置: 已写入 3 项, 1 项回读不一致:\n"
                           "第 11 项 报警上限: 写入 7, 回读为 450.0"};
}

void TestItemOperations::bulkWrite()
{
    QFETCH(QList<int>, items);
    QFETCH(QStringList, values);
    QFETCH(Arrange, arrange);
    QFETCH(bool, withClock);
    QFETCH(QList<int>, sentRows);
    QFETCH(QList<int>, readRows);
    QFETCH(QStringList, boxes);
    if (arrange)
        arrange(m_sim->faults());
    for (int row = 0; row < items.size(); ++row)
        addRow(items.at(row), values.at(row));
    ModalDriver driver;
    if (withClock)
        driver.plan([](QWidget *box) {
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
        });
    trigger("save");
    QVERIFY(waitIdle());

    QList<QByteArray> frames;
    for (int row : sentRows)
        frames << makeWriteItemFrame(items.at(row), values.at(row));
    for (int row : readRows)
        frames << makeReadItemFrame(items.at(row));
    QCOMPARE(m_sim->receivedFrames(), frames);
    const QStringList shown = driver.summaries();
    QCOMPARE(shown.size(), boxes.size());
    for (int box = 0; box < boxes.size(); ++box)
        QVERIFY2(shown.at(box).startsWith(boxes.at(box)), qPrintable(shown.at(box)));
    QVERIFY(shown.first().contains(QStringLiteral(". 设备时间: 2000-01-01 00:00:00\n")));
    // The item being written is the current one, and stays so when it fails.
    QCOMPARE(m_tree->indexOfTopLevelItem(m_tree->currentItem()), sentRows.last());
    QVERIFY2(boxes.last().contains(status().section(":\n", 0, 0)), qPrintable(status()));
}

// A reference file with two changed values marks exactly those rows, and the
// rows only one side has; writing the differences sends exactly their frames.
void TestItemOperations::compareAndWriteChanged()
{
    for (int item : {int(Name), int(Mode), int(Limit), int(Damping), int(AlarmTime), int(Save)})
        addRow(item);
    addRow(Clock, QStringLiteral("2026-12-06 10:00:00"));
    const QString file = m_dir.filePath(QStringLiteral("reference.csv"));
    QVERIFY(SimTest::writeFile(file,
                               "00. 设备名称, NV-100 流量计\n04. 工作模式(自动/手动/测试), 手动\n"
                               "11. 报警上限, 7\n12. 阻尼时间(s), 3\n18. 保存配置,\n"
                               "17. 设备时间, 2000-01-01 00:00:00\n30. 新项目, 1\n"));
    const auto marks = [this] {
        QStringList marked;
        for (int row = 0; row < m_tree->topLevelItemCount(); ++row) {
            const QTreeWidgetItem *item = m_tree->topLevelItem(row);
            if (item->background(0) != QBrush())
                marked << item->text(0) + item->text(1) + '|' + item->text(2);
        }
        return marked;
    };
    const auto *note = m_window->findChild<QLabel *>("comparisonNote");
    ModalDriver driver;
    driver.plan(ModalDriver::pickFile(file));
    trigger("compare");
    QCOMPARE(marks(),
             (QStringList{"02. 工作模式(自动/手动/测试): 自动|手动", "03. 报警上限: 450.0|7",
                          "05. 报警时间: 12:30|(仅在仪表中)", "08. 新项目(仅在文件中)|1"}));
    QCOMPARE(note->text(), QStringLiteral("对比: 2 项不同, 1 项仅在文件中, 1 项仅在仪表中"));

    // The instrument echoes 7 but keeps 450.0: that row stays marked.
    m_sim->faults().forgetWrites(1, Limit);
    trigger("writeChanged");
    QVERIFY(waitIdle());
    QCOMPARE(m_sim->receivedFrames(),
             (QList<QByteArray>{makeWriteItemFrame(Mode, "手动"), makeWriteItemFrame(Limit, "7"),
                                makeReadItemFrame(Mode), makeReadItemFrame(Limit)}));
    QCOMPARE(driver.summaries().last(),
             QStringLiteral("写入差异: 已写入 2 项, 1 项回读不一致:\n"
                            "第 11 项 报警上限: 写入 7, 回读为 450.0"));
    QCOMPARE(marks().mid(0, 2),
             (QStringList{"03. 报警上限: 450.0|7", "05. 报警时间: 12:30|(仅在仪表中)"}));

    trigger("writeChanged");
    QVERIFY(waitIdle());
    QCOMPARE(status(), kBulkWritten.arg(1));
    const int frames = m_sim->receivedFrames().size();
    trigger("writeChanged");
    QCOMPARE(m_sim->receivedFrames().size(), frames);
    QCOMPARE(status(), QStringLiteral("仪表的数值已与文件一致, 没有写入任何项"));
    QCOMPARE(note->text(), QStringLiteral("对比: 0 项不同, 1 项仅在文件中, 1 项仅在仪表中"));

    // The marks go with the list they were made for.
    m_window->slotClearItems();
    QVERIFY(note->isHidden() && !m_window->findChild<QAction *>("writeChanged")->isEnabled());
    QCOMPARE(m_tree->columnCount(), 2);
}

// A round trip keeps every row; a broken file keeps the tree, an empty one empties it.
void TestItemOperations::itemFile()
{
    // A value with a blank, a choice list, an empty value, a value with colons,
    // both known action items and one the file must still tell from a value.
    for (int item : {int(Name), 7, 15, int(AlarmTime), int(Save), int(Restart)})
        addRow(item);
    m_window->slotAddItems(kFactoryReset, {QStringLiteral("恢复出厂")});
    const QStringList before = treeRows(m_tree);
    const QString file = m_dir.filePath(QStringLiteral("items.csv"));
    ModalDriver driver;
    driver.plan(ModalDriver::pickFile(file));
    trigger("export_2");
    m_window->slotClearItems();
    m_window->slotAddItems(40, {QStringLiteral("旧项目"), QStringLiteral("1")});
    driver.plan(ModalDriver::pickFile(file));
    trigger("import_2");
    QCOMPARE(treeRows(m_tree), before);
    // Until written, the values are only on screen, and say so.
    const auto *note = m_window->findChild<QLabel *>("importedNote");
    QVERIFY(note->isVisible() && m_tree->topLevelItem(0)->font(1).italic());
    QCOMPARE(note->text(), QStringLiteral("已导入 7 项, 尚未写入仪表"));

    // Writing the imported list sends every value and executes no action.
    trigger("save");
    QVERIFY(waitIdle());
    QVERIFY(!note->isVisible() && !m_tree->topLevelItem(0)->font(1).italic());
    QList<QByteArray> written;
    for (int item : {int(Name), 7, 15, int(AlarmTime)})
        written << makeWriteItemFrame(item, m_sim->items().at(item).value());
    QCOMPARE(m_sim->receivedFrames().mid(0, 4), written);

    const auto importBytes = [&](const QByteArray &content) {
        QVERIFY(SimTest::writeFile(file, content));
        driver.plan(ModalDriver::pickFile(file));
        trigger("import_2");
    };
    importBytes("01. 设备名称, A\n\n02. 通讯地址, 1\n");
    QCOMPARE(treeRows(m_tree), before);
    QCOMPARE(status(), QStringLiteral("文件解析错误: 第2行"));
    QCOMPARE(driver.summaries(),
             (QStringList{
                     "导出配置: ", "导入配置: ", "导入配置: ", "导入配置: 文件解析错误: 第2行"}));

    // A name typed without its suffix gets ".csv"; the next dialog opens where this one ended.
    const QString bare = m_dir.filePath(QStringLiteral("sub/bare"));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    QString openedIn;
    driver.plan(ModalDriver::pickFile(bare));
    trigger("export_2");
    driver.plan([&](QWidget *modal) {
        openedIn = qobject_cast<QFileDialog *>(modal)->directory().absolutePath();
        qobject_cast<QDialog *>(modal)->reject();
    });
    trigger("import_2");
    QVERIFY(QFile::exists(bare + QStringLiteral(".csv")));
    QCOMPARE(openedIn, QFileInfo(bare).absolutePath());
}

void TestItemOperations::syncTime_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QString>("text");

    // "NG" in place of "OK": a good answer, but not the acknowledgement.
    const QByteArray refusal = QByteArray::fromHex("FF03024E47E402");
    QTest::newRow("acknowledged") << Arrange() << "同步时间成功";
    QTest::newRow("refused") << Arrange([=](FaultPlan &f) { f.replaceAnswers(refusal); })
                             << "同步时间失败";
}

void TestItemOperations::syncTime()
{
    QFETCH(Arrange, arrange);
    QFETCH(QString, text);

    if (arrange)
        arrange(m_sim->faults());
    addRow(Clock, QStringLiteral("2000-01-01 00:00:00"));
    // From another instrument's file: this instrument's item 13 is a different one.
    m_window->slotAddItems(AlarmTime, {"出厂日期", "2000-01-01 00:00"});
    ModalDriver driver;
    trigger("sync_time");
    QVERIFY(waitIdle());

    QCOMPARE(m_tree->topLevelItem(1)->text(1), QStringLiteral(": 2000-01-01 00:00"));
    QCOMPARE(driver.summaries(), QStringList{QStringLiteral("同步时间: ") + text});
    // An error also goes to the status bar; the information box leaves it alone.
    QCOMPARE(status(), arrange ? text : kMarker);
    if (arrange) {
        QCOMPARE(m_tree->topLevelItem(0)->text(1), QStringLiteral(": 2000-01-01 00:00:00"));
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(qAbs(m_sim->storedClock().secsTo(now)) <= kClockToleranceSecs);
    // The row showing the instrument's time is read again.
    const QDateTime shown = QDateTime::fromString(m_tree->topLevelItem(0)->text(1).mid(2),
                                                  QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QVERIFY2(qAbs(shown.secsTo(now)) <= kClockToleranceSecs,
             qPrintable(m_tree->topLevelItem(0)->text(1)));
}

// A write of all items against a slow instrument leaves the window running,
// with the device actions off and the progress on the status bar.
void TestItemOperations::windowKeepsRunning()
{
    m_sim->setLatencyMs(200);
    for (int item : {int(Limit), int(Save), int(Damping), int(Name)})
        addRow(item);
    QSignalSpy messages(m_window->statusBar(), &QStatusBar::messageChanged);
    bool turnedWhileWriting = false;
    bool actionsOffWhileWriting = true;
    trigger("save");
    QTimer::singleShot(0, this, [&] {
        turnedWhileWriting = m_window->isBusy();
        for (const char *action : {"refresh", "save", "update"})
            actionsOffWhileWriting &= !m_window->findChild<QAction *>(action)->isEnabled();
    });
    QVERIFY(waitIdle());

    QVERIFY(turnedWhileWriting);
    QVERIFY(actionsOffWhileWriting);
    QVERIFY(m_window->findChild<QAction *>("refresh")->isEnabled());
    QStringList progress;
    for (const QList<QVariant> &message : messages)
        progress << message.first().toString();
    QVERIFY(progress.contains(QStringLiteral("正在写入配置...... 3 / 3")));
    QVERIFY(progress.contains(QStringLiteral("正在回读...... 3 / 3")));
    QCOMPARE(progress.last(), kBulkWritten.arg(3));
    QCOMPARE(m_sim->receivedFrames().size(), 6);
}

// The field has the focus: typing and Enter write what was typed; a value
// too long for one write is refused in the dialog, which keeps it.
void TestItemOperations::editDialogKeys()
{
    addRow(Limit);
    const QString tooLong(128, QChar(0x6D41));
    QString keptAfterRefusal;
    ModalDriver driver;
    // Enter is pressed once the driver has returned: the refusal box it opens
    // must be answered by the driver too.
    const auto pressEnterLater = [](QWidget *field) {
        QTimer::singleShot(0, field, [field] { QTest::keyClick(field, Qt::Key_Return); });
    };
    driver.plan([&](QWidget *modal) {
        // One key event carrying the whole text, as an input method sends it.
        QTest::sendKeyEvent(QTest::Press, modal->focusWidget(), Qt::Key_unknown, tooLong,
                            Qt::NoModifier);
        pressEnterLater(modal->focusWidget());
    });
    driver.plan([](QWidget *box) { // the refusal, shown over the dialog
        qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
    });
    driver.plan([&](QWidget *modal) {
        keptAfterRefusal = qobject_cast<ModifyDialog *>(modal)->value();
        qobject_cast<ModifyDialog *>(modal)->lineEdit()->selectAll();
        QTest::keyClicks(modal->focusWidget(), QStringLiteral("42"));
        pressEnterLater(modal->focusWidget());
    });
    emit m_tree->itemDoubleClicked(m_tree->topLevelItem(0), 0);
    QVERIFY(waitIdle());

    QCOMPARE(driver.summaries().at(1), QStringLiteral("报警上限: 写入配置失败,数值过长"));
    QCOMPARE(keptAfterRefusal, tooLong);
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{makeWriteItemFrame(Limit, "42")});
    QCOMPARE(m_tree->topLevelItem(0)->text(1), QStringLiteral(": 42"));
}

QTEST_MAIN(TestItemOperations)
#include "tst_itemoperations.moc"
