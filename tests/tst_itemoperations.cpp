#include "commandset.h"
#include "guiresources.h"
#include "itemwriter.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "modifydialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QAction>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <functional>
#include <memory>

using Arrange = std::function<void(FaultPlan &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kClockToleranceSecs = 5;
constexpr char kMarker[] = "marker"; // on the status bar before each operation
const QString kWritten = QStringLiteral("写入配置成功");

// Item numbers of the simulated instrument.
enum Item { Name, Mode, Delay, AlarmTime, Limit, Serial, Save, Restart };

// "!" marks a read-only item, a line without ':' an action item.
constexpr char kItemList[] = "设备名称: NV-1\n工作模式(自动/手动/测试): 手动\n延时(s): 3\n"
                             "报警时间: 12:30\n流量上限: 5\n!序列号: SN1\n保存配置\n重启设备";

// "item number|column 0|column 1" per row.
QStringList describeTree(const QTreeWidget *tree)
{
    QStringList rows;
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = tree->topLevelItem(row);
        rows << item->data(0, Qt::UserRole).toString() + '|' + item->text(0) + '|' + item->text(1);
    }
    return rows;
}

// Commits value in the edit dialog or confirms an action item's box; a null value cancels.
ModalDriver::Answer answerEdit(const QString &value)
{
    return [value](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            box->button(value.isNull() ? QMessageBox::Cancel : QMessageBox::Ok)->click();
        } else if (auto *dialog = qobject_cast<ModifyDialog *>(modal)) {
            if (dialog->lineEdit())
                dialog->lineEdit()->setText(value);
            else
                dialog->comboBox()->setCurrentText(value);
            const char *button = value.isNull() ? "cancel" : "commit";
            dialog->findChild<QPushButton *>(QString::fromLatin1(button))->click();
        }
    };
}

// Chooses path in a file dialog.
ModalDriver::Answer pickFile(const QString &path)
{
    return [path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return;
        // selectFile() leaves the name field alone while it has the focus.
        if (QWidget *focused = dialog->focusWidget())
            focused->clearFocus();
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog
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
    void cleanup();
    void editItem_data();
    void editItem();
    void treeClearedWhileEditing();
    void bulkWrite_data();
    void bulkWrite();
    void csvRoundTrip();
    void import_data();
    void import();
    void syncTime_data();
    void syncTime();

private:
    void addSimulatorRow(int item, const QString &value = QString());
    void doubleClick(int row);
    void trigger(const char *action) { m_window->findChild<QAction *>(action)->trigger(); }
    QString status() const { return m_window->statusBar()->currentMessage(); }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
    std::unique_ptr<MainWindow> m_window;
    QTreeWidget *m_tree = nullptr;
};

void TestItemOperations::init()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    ItemSet items;
    QVERIFY(ItemSet::parse(QString::fromUtf8(kItemList), &items, nullptr));
    m_sim->setItems(items);
    const QString error = SimTest::startOnConfiguredPort(*m_sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    m_window = std::make_unique<MainWindow>();
    m_tree = m_window->findChild<QTreeWidget *>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->statusBar()->showMessage(QString::fromLatin1(kMarker));
}

void TestItemOperations::cleanup()
{
    m_window.reset();
    m_sim.reset();
    SimTest::resetSettings();
}

// The item's row as the instrument's list would show it, or with another value.
void TestItemOperations::addSimulatorRow(int item, const QString &value)
{
    const SimItem simItem = m_sim->items().at(item);
    QStringList fields{simItem.name()};
    if (simItem.hasValue())
        fields << (value.isNull() ? simItem.value() : value);
    m_window->slotAddItems(item, fields);
}

void TestItemOperations::doubleClick(int row)
{
    QApplication::processEvents(); // the view lays out new rows lazily
    const QPoint point = m_tree->visualItemRect(m_tree->topLevelItem(row)).center();
    // A view takes a double click only on the row its preceding press hit.
    QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void TestItemOperations::editItem_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("answer");    // null: cancel
    QTest::addColumn<QStringList>("shown"); // the editor or action box, then any error box
    QTest::addColumn<QString>("column1");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<bool>("sent");
    const auto row = [](const char *tag, Item item, const QString &answer, const QStringList &shown,
                        const char *column1, const QString &notice, bool sent) {
        QTest::newRow(tag) << int(item) << answer << shown << column1 << notice << sent;
    };
    const QString marker = QString::fromLatin1(kMarker), tooLong(kMaxItemTextBytes + 1, '9');
    const QString badEcho = QStringLiteral("硬件返回数据校验错误");
    row("choice list preselects, option written", Mode, "测试", {"工作模式: 自动/手动/测试 > 手动"},
        ": 测试", kWritten, true);
    row("Delay(s) gets a line edit", Delay, "12", {"延时(s): 3"}, ": 12", kWritten, true);
    row("refused value shows the old one", Serial, "SN2", {"序列号: SN1"}, ": SN1",
        "写入配置失败,该项不支持修改", true);
    row("echo with three parts", AlarmTime, "13:00", {"报警时间: 12:30", "提交: " + badEcho},
        ": 12:30", badEcho, true);
    row("too long value not sent", Delay, tooLong,
        {"延时(s): 3", "提交: " + itemValueTooLongText()}, ": 3", itemValueTooLongText(), false);
    row("action item confirmed", Save, "", {": 保存配置"}, "", kWritten, true);
    row("action item cancelled", Save, QString(), {": 保存配置"}, "", marker, false);
}

void TestItemOperations::editItem()
{
    QFETCH(int, item);
    QFETCH(QString, answer);
    QFETCH(QStringList, shown);
    QFETCH(QString, column1);
    QFETCH(QString, notice);
    QFETCH(bool, sent);

    addSimulatorRow(item);
    ModalDriver driver;
    driver.plan(answerEdit(answer));
    doubleClick(0);

    QCOMPARE(driver.summaries(), shown);
    if (item == Save)
        QCOMPARE(driver.shown().first().buttons, (QStringList{"确定", "取消"}));
    QCOMPARE(m_tree->topLevelItem(0)->text(1), column1);
    QCOMPARE(status(), notice);
    if (!sent) {
        QCOMPARE(m_sim->receivedByteCount(), 0);
        return;
    }
    const QList<QByteArray> frames = m_sim->receivedFrames();
    QCOMPARE(frames, QList<QByteArray>{makeWriteItemFrame(item, answer)});
    if (item == Save)
        QCOMPARE(int(frames.first().at(6)), 1); // count byte: the terminating zero alone
}

// A refresh may clear the tree while the edit dialog is open; the edited row
// is then gone and nothing is written.
void TestItemOperations::treeClearedWhileEditing()
{
    addSimulatorRow(Limit);
    ModalDriver driver;
    driver.plan([this](QWidget *modal) {
        m_window->slotClearItems();
        answerEdit(QStringLiteral("9"))(modal);
    });
    doubleClick(0);

    QCOMPARE(driver.shown().size(), 1);
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    QCOMPARE(m_sim->receivedByteCount(), 0);
}

void TestItemOperations::bulkWrite_data()
{
    QTest::addColumn<QList<int>>("items"); // the tree's rows
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QList<int>>("sentRows");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("values in tree order, actions skipped, refusal goes on")
            << QList<int>{Limit, Save, Serial, Restart, Name}
            << QStringList{"6", "", "SN9", "", "NV-2"} << Arrange() << QList<int>{0, 2, 4}
            << QStringList();
    QTest::newRow("timeout on the second item stops")
            << QList<int>{Name, Limit, Delay} << QStringList{"NV-2", "7", "4"}
            << Arrange([](FaultPlan &f) { f.dropAnswers(1, Limit); }) << QList<int>{0, 1}
            << QStringList{"提交: 接受数据超时", "写入配置: 写入配置失败: 7"};
    QTest::newRow("empty tree") << QList<int>() << QStringList() << Arrange() << QList<int>()
                                << QStringList();
}

void TestItemOperations::bulkWrite()
{
    QFETCH(QList<int>, items);
    QFETCH(QStringList, values);
    QFETCH(Arrange, arrange);
    QFETCH(QList<int>, sentRows);
    QFETCH(QStringList, boxes);

    if (arrange)
        arrange(m_sim->faults());
    for (int row = 0; row < items.size(); ++row)
        addSimulatorRow(items.at(row), values.at(row));
    ModalDriver driver;
    trigger("save");

    QList<QByteArray> frames;
    for (int row : sentRows)
        frames << makeWriteItemFrame(items.at(row), values.at(row));
    QCOMPARE(m_sim->receivedFrames(), frames);
    QCOMPARE(driver.summaries(), boxes);
    // The item being written is the current one, and stays so when it fails.
    QCOMPARE(m_tree->indexOfTopLevelItem(m_tree->currentItem()),
             sentRows.isEmpty() ? -1 : sentRows.last());
    QCOMPARE(status(), boxes.isEmpty() ? kWritten : boxes.last().section(": ", 1));
}

void TestItemOperations::csvRoundTrip()
{
    m_window->slotAddItems(3, {QStringLiteral("设备名称"), QStringLiteral("NV-1 流量计")});
    m_window->slotAddItems(7, {QStringLiteral("保存配置")});
    m_window->slotAddItems(12, {QStringLiteral("用户备注"), QString()});
    m_window->slotAddItems(120, {QStringLiteral("波特率(9600/19200)"), QStringLiteral("19200")});
    m_window->slotAddItems(8, {QStringLiteral("重启设备")});
    const QStringList exported = describeTree(m_tree);
    const QString file = m_dir.filePath(QStringLiteral("items.csv"));

    ModalDriver driver;
    driver.plan(pickFile(file));
    trigger("export_2");
    QCOMPARE(status(), QStringLiteral("导出配置成功"));

    m_window->slotClearItems();
    m_window->slotAddItems(40, {QStringLiteral("旧项目"), QStringLiteral("1")});
    driver.plan(pickFile(file));
    trigger("import_2");
    QCOMPARE(describeTree(m_tree), exported);
    QCOMPARE(status(), QStringLiteral("导入配置成功"));
    QCOMPARE(driver.summaries(), (QStringList{"导出配置: ", "导入配置: "}));
}

void TestItemOperations::import_data()
{
    QTest::addColumn<QByteArray>("content"); // null: the file dialog is cancelled
    QTest::addColumn<QStringList>("boxes");  // after the file dialog
    QTest::addColumn<bool>("treeKept");
    QTest::addColumn<QString>("notice");

    QTest::newRow("empty line: nothing imported")
            << QByteArray("\xEF\xBB\xBF"
                          "01. 设备名称, A\n\n02. 通讯地址, 1\n")
            << QStringList{"导入配置: 文件解析错误"} << true << "文件解析错误";
    QTest::newRow("empty file empties the tree")
            << QByteArray("") << QStringList() << false << "导入配置成功";
    QTest::newRow("dialog cancelled") << QByteArray() << QStringList() << true << kMarker;
}

void TestItemOperations::import()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, boxes);
    QFETCH(bool, treeKept);
    QFETCH(QString, notice);

    const QString file = m_dir.filePath(QStringLiteral("import.csv"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(content) >= 0);
    out.close();
    addSimulatorRow(Name);
    addSimulatorRow(Limit);
    const QStringList before = describeTree(m_tree);

    ModalDriver driver;
    if (!content.isNull())
        driver.plan(pickFile(file)); // unplanned, the dialog is cancelled
    trigger("import_2");

    QCOMPARE(driver.summaries().mid(1), boxes);
    QCOMPARE(describeTree(m_tree), treeKept ? before : QStringList());
    QCOMPARE(status(), notice);
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
    QTest::newRow("extra byte after the acknowledgement")
            << Arrange([](FaultPlan &f) { f.appendExtraByte(1); }) << "CRC校验错误";
    QTest::newRow("no answer") << Arrange([](FaultPlan &f) { f.setSilent(true); })
                               << "接受数据超时";
}

void TestItemOperations::syncTime()
{
    QFETCH(Arrange, arrange);
    QFETCH(QString, text);

    if (arrange)
        arrange(m_sim->faults());
    ModalDriver driver;
    trigger("sync_time");

    QCOMPARE(driver.summaries(), QStringList{QStringLiteral("同步时间: ") + text});
    // An error also goes to the status bar; the information box leaves it alone.
    QCOMPARE(status(), arrange ? text : QString::fromLatin1(kMarker));
    if (!arrange) {
        QCOMPARE(driver.shown().first().icon, QMessageBox::Information);
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(qAbs(m_sim->storedClock().secsTo(now)) <= kClockToleranceSecs);
    }
}

QTEST_MAIN(TestItemOperations)
#include "tst_itemoperations.moc"
