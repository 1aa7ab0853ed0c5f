#include "commandset.h"
#include "config.h"
#include "guiresources.h"
#include "instrumentsimulator.h"
#include "itemwriter.h"
#include "mainwindow.h"
#include "modifydialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace {
constexpr int kPollMs = 20;
constexpr int kClockToleranceSecs = 5;
constexpr int kStuckModalMs = 5000;
// Put on the status bar before an operation, to see whether it was replaced.
constexpr char kMarker[] = "marker";

// Item numbers of the simulated instrument.
enum Item { Name, Mode, Delay, AlarmTime, Limit, Serial, Save, DeviceClock, Restart };

ItemSet testItems()
{
    ItemSet items;
    items.append(SimItem(QStringLiteral("设备名称"), QStringLiteral("NV-1")));
    items.append(SimItem(QStringLiteral("工作模式(自动/手动/测试)"), QStringLiteral("手动")));
    items.append(SimItem(QStringLiteral("延时(s)"), QStringLiteral("3")));
    items.append(SimItem(QStringLiteral("报警时间"), QStringLiteral("12:30")));
    items.append(SimItem(QStringLiteral("流量上限"), QStringLiteral("5")));
    items.append(SimItem(QStringLiteral("序列号"), QStringLiteral("SN1"), true));
    items.append(SimItem::action(QStringLiteral("保存配置")));
    items.append(SimItem(QStringLiteral("设备时间"), QStringLiteral("2020-01-01 00:00:00"), true));
    items.append(SimItem::action(QStringLiteral("重启设备")));
    return items;
}

// One tree row as it is handed to slotAddItems.
struct TreeRow
{
    int item;
    QStringList fields;
};

// Column texts and item number of every row, for comparing whole trees.
QStringList describeTree(const QTreeWidget *tree)
{
    QStringList rows;
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = tree->topLevelItem(row);
        rows << QStringLiteral("%1|%2|%3")
                        .arg(item->data(0, Qt::UserRole).toInt())
                        .arg(item->text(0), item->text(1));
    }
    return rows;
}

// What one modal window showed before the test answered it.
struct Shown
{
    QString kind; // "box", "file", "line" or "choice"
    QString title;
    QString text;        // message text, editor text or start directory
    QStringList options; // button captions, choice options or name filters
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool windowIcon = false; // carries the main window's icon
    int currentRow = -1;     // the tree's current row while it was open

    QString summary() const { return title + QStringLiteral(": ") + text; }
};

using Answer = std::function<void(QWidget *)>;

Answer press(QMessageBox::StandardButton button)
{
    return [button](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            box->button(button)->click();
    };
}

// A file dialog: choose path, or cancel for an empty one.
Answer pickFile(const QString &path)
{
    return [path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return;
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // selectFile() leaves the name field alone while it has the focus.
        if (QWidget *focused = dialog->focusWidget())
            focused->clearFocus();
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog
    };
}

// The edit dialog: type or choose value and commit, or cancel for a null one.
Answer enterValue(const QString &value, const std::function<void()> &meanwhile = {})
{
    return [value, meanwhile](QWidget *modal) {
        auto *dialog = qobject_cast<ModifyDialog *>(modal);
        if (!dialog)
            return;
        if (meanwhile)
            meanwhile();
        if (value.isNull()) {
            dialog->findChild<QPushButton *>(QStringLiteral("cancel"))->click();
            return;
        }
        if (dialog->lineEdit())
            dialog->lineEdit()->setText(value);
        else
            dialog->comboBox()->setCurrentText(value);
        dialog->findChild<QPushButton *>(QStringLiteral("commit"))->click();
    };
}

// Answers every modal window the main window opens, in order, and records
// what each showed. Without a planned answer a box gets OK and a dialog is rejected.
class ModalDriver : public QObject
{
public:
    explicit ModalDriver(MainWindow *window)
        : m_window(window)
        , m_tree(window->findChild<QTreeWidget *>())
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { answerActiveModal(); });
        m_timer.start(kPollMs);
    }

    void plan(const Answer &answer) { m_answers.append(answer); }
    const QList<Shown> &shown() const { return m_shown; }
    QStringList summaries() const
    {
        QStringList list;
        for (const Shown &seen : m_shown)
            list << seen.summary();
        return list;
    }

private:
    void answerActiveModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (modal == m_answered) {
            // An answer that did not close the window must not hang the test.
            if (m_answeredAt.elapsed() > kStuckModalMs) {
                qWarning("closing a modal window the planned answer left open: %s",
                         qPrintable(modal->windowTitle()));
                modal->close();
            }
            return;
        }
        m_answered = modal;
        m_answeredAt.start();
        m_shown.append(describe(modal));
        if (!m_answers.isEmpty()) {
            m_answers.takeFirst()(modal);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            box->button(QMessageBox::Ok)->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        }
    }

    Shown describe(QWidget *modal) const
    {
        Shown seen;
        seen.title = modal->windowTitle();
        seen.windowIcon = modal->windowIcon().cacheKey() == m_window->windowIcon().cacheKey();
        seen.currentRow = m_tree->indexOfTopLevelItem(m_tree->currentItem());
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.kind = QStringLiteral("box");
            seen.text = box->text();
            seen.icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                seen.options << button->text();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            seen.kind = QStringLiteral("file");
            seen.text = files->directory().absolutePath();
            seen.options = files->nameFilters();
        } else if (auto *edit = qobject_cast<ModifyDialog *>(modal)) {
            if (edit->lineEdit()) {
                seen.kind = QStringLiteral("line");
                seen.text = edit->lineEdit()->text();
            } else {
                seen.kind = QStringLiteral("choice");
                seen.text = edit->comboBox()->currentText();
                for (int i = 0; i < edit->comboBox()->count(); ++i)
                    seen.options << edit->comboBox()->itemText(i);
            }
        }
        return seen;
    }

    MainWindow *m_window;
    QTreeWidget *m_tree;
    QTimer m_timer;
    QPointer<QWidget> m_answered;
    QElapsedTimer m_answeredAt;
    QList<Answer> m_answers;
    QList<Shown> m_shown;
};

enum class Fault { None, PortHeld, ReplaceWithRefusal, ExtraByte, Silent };
} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(QList<TreeRow>)

// The main window's item operations against the simulated instrument: what
// the user sees and what reaches the instrument.
class TestItemOperations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void editItem_data();
    void editItem();
    void actionItem_data();
    void actionItem();
    void writeFails_data();
    void writeFails();
    void treeClearedWhileEditing();
    void bulkWrite_data();
    void bulkWrite();
    void csvRoundTrip();
    void importRefused_data();
    void importRefused();
    void importEmptyFile();
    void fileDialogCancelled_data();
    void fileDialogCancelled();
    void syncTime_data();
    void syncTime();

private:
    void addSimulatorRows(const QList<int> &items);
    void addRows(const QList<TreeRow> &rows);
    void doubleClick(int row, int column);
    void applyFault(Fault fault, QSerialPort &holder);
    QString status() const { return m_window->statusBar()->currentMessage(); }
    QString portText() const { return QStringLiteral("打开串口失败: %1").arg(m_sim->portName()); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
    std::unique_ptr<MainWindow> m_window;
    QTreeWidget *m_tree = nullptr;
};

void TestItemOperations::initTestCase()
{
    initGuiResources();
    QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
}

void TestItemOperations::init()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    m_sim->setItems(testItems());
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

// Rows exactly as the instrument's list would show them.
void TestItemOperations::addSimulatorRows(const QList<int> &items)
{
    const ItemSet set = m_sim->items();
    for (int item : items) {
        const SimItem &simItem = set.at(item);
        QStringList fields{simItem.name()};
        if (simItem.hasValue())
            fields << simItem.value();
        m_window->slotAddItems(item, fields);
    }
}

void TestItemOperations::addRows(const QList<TreeRow> &rows)
{
    for (const TreeRow &row : rows)
        m_window->slotAddItems(row.item, row.fields);
}

void TestItemOperations::doubleClick(int row, int column)
{
    QTreeWidgetItem *item = m_tree->topLevelItem(row);
    QApplication::processEvents(); // the view lays out new rows lazily
    const QRect rect = m_tree->visualItemRect(item);
    QVERIFY(rect.isValid());
    const QPoint point(m_tree->columnViewportPosition(column) + 5, rect.center().y());
    // A view takes a double click only on the row its preceding press hit.
    QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void TestItemOperations::applyFault(Fault fault, QSerialPort &holder)
{
    switch (fault) {
    case Fault::None:
        break;
    case Fault::PortHeld:
        QVERIFY(openSerialPort(holder));
        break;
    case Fault::ReplaceWithRefusal:
        // "NG" as a data answer with a valid CRC.
        m_sim->faults().replaceAnswers(QByteArray::fromHex("ff03024e47e402"));
        break;
    case Fault::ExtraByte:
        m_sim->faults().appendExtraByte(1);
        break;
    case Fault::Silent:
        m_sim->faults().setSilent(true);
        break;
    }
}

void TestItemOperations::editItem_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("column"); // the column double-clicked
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("shownValue");
    QTest::addColumn<QString>("answer"); // null: cancel
    QTest::addColumn<QString>("column1");
    QTest::addColumn<QString>("notice");

    const QStringList modes{"自动", "手动", "测试"};
    QTest::newRow("choice list preselects and writes") << int(Mode) << 1 << "choice"
                                                       << "工作模式" << modes << "手动"
                                                       << "测试"
                                                       << ": 测试"
                                                       << "写入配置成功";
    QTest::newRow("choice list cancelled")
            << int(Mode) << 0 << "choice"
            << "工作模式" << modes << "手动" << QString() << ": 手动" << kMarker;
    QTest::newRow("parentheses without options get a line edit")
            << int(Delay) << 0 << "line"
            << "延时(s)" << QStringList() << "3"
            << "12"
            << ": 12"
            << "写入配置成功";
    QTest::newRow("refused value shows the echo") << int(Serial) << 1 << "line"
                                                  << "序列号" << QStringList() << "SN1"
                                                  << "SN2"
                                                  << ": SN1"
                                                  << "写入配置失败,该项不支持修改";
}

void TestItemOperations::editItem()
{
    QFETCH(int, item);
    QFETCH(int, column);
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, options);
    QFETCH(QString, shownValue);
    QFETCH(QString, answer);
    QFETCH(QString, column1);
    QFETCH(QString, notice);

    addSimulatorRows({Name, item});
    ModalDriver driver(m_window.get());
    driver.plan(enterValue(answer));
    doubleClick(1, column);

    QCOMPARE(driver.shown().size(), 1);
    const Shown dialog = driver.shown().first();
    QCOMPARE(dialog.kind, kind);
    QCOMPARE(dialog.title, title);
    QCOMPARE(dialog.options, options);
    QCOMPARE(dialog.text, shownValue);
    QCOMPARE(m_tree->topLevelItem(1)->text(1), column1);
    QCOMPARE(status(), notice);
    if (answer.isNull())
        QCOMPARE(m_sim->receivedByteCount(), 0);
    else
        QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{makeWriteItemFrame(item, answer)});
}

void TestItemOperations::actionItem_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void TestItemOperations::actionItem()
{
    QFETCH(bool, confirm);

    addSimulatorRows({Name, Save});
    ModalDriver driver(m_window.get());
    driver.plan(press(confirm ? QMessageBox::Ok : QMessageBox::Cancel));
    doubleClick(1, 0);

    QCOMPARE(driver.shown().size(), 1);
    const Shown box = driver.shown().first();
    QCOMPARE(box.kind, QStringLiteral("box"));
    QCOMPARE(box.title, QString());
    QCOMPARE(box.text, QStringLiteral("保存配置")); // without its row number
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(box.windowIcon);
    QVERIFY(box.options.contains(QStringLiteral("确定")));
    QVERIFY(box.options.contains(QStringLiteral("取消")));
    QCOMPARE(m_tree->topLevelItem(1)->text(1), QString());
    if (!confirm) {
        QCOMPARE(m_sim->receivedByteCount(), 0);
        return;
    }
    const QList<QByteArray> frames = m_sim->receivedFrames();
    QCOMPARE(frames, QList<QByteArray>{makeWriteItemFrame(Save, QString())});
    QCOMPARE(int(frames.first().at(6)), 1); // count byte: the terminating zero alone
    QCOMPARE(status(), QStringLiteral("写入配置成功"));
}

void TestItemOperations::writeFails_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("error"); // "%1": the port name
    QTest::addColumn<bool>("sent");

    QTest::newRow("echo with three parts")
            << int(AlarmTime) << "13:00" << Fault::None << "硬件返回数据校验错误" << true;
    QTest::newRow("value too long")
            << int(Delay) << QString(kMaxItemTextBytes + 1, QLatin1Char('9')) << Fault::None
            << itemValueTooLongText() << false;
    QTest::newRow("port held") << int(Limit) << "7" << Fault::PortHeld << "%1" << false;
}

void TestItemOperations::writeFails()
{
    QFETCH(int, item);
    QFETCH(QString, answer);
    QFETCH(Fault, fault);
    QFETCH(QString, error);
    QFETCH(bool, sent);

    if (error == QLatin1String("%1"))
        error = portText();
    QSerialPort holder;
    applyFault(fault, holder);
    if (QTest::currentTestFailed())
        return;
    addSimulatorRows({item});
    const QString before = m_tree->topLevelItem(0)->text(1);
    ModalDriver driver(m_window.get());
    driver.plan(enterValue(answer));
    doubleClick(0, 1);

    // The edit dialog, then the error box.
    QCOMPARE(driver.summaries().mid(1), QStringList{QStringLiteral("提交: ") + error});
    const Shown box = driver.shown().at(1);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(box.windowIcon);
    QCOMPARE(box.options, QStringList{QStringLiteral("确定")});
    QCOMPARE(status(), error);
    QCOMPARE(m_tree->topLevelItem(0)->text(1), before);
    QCOMPARE(m_sim->receivedByteCount() > 0, sent);
}

// A refresh may clear the tree while the edit dialog is open; the edited row
// is then gone and nothing is written.
void TestItemOperations::treeClearedWhileEditing()
{
    addSimulatorRows({Name, Limit});
    ModalDriver driver(m_window.get());
    driver.plan(enterValue(QStringLiteral("9"), [this] { m_window->slotClearItems(); }));
    doubleClick(1, 1);

    QCOMPARE(driver.shown().size(), 1);
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    QCOMPARE(m_sim->receivedByteCount(), 0);
}

void TestItemOperations::bulkWrite_data()
{
    QTest::addColumn<QList<TreeRow>>("rows");
    QTest::addColumn<bool>("secondUnanswered");
    QTest::addColumn<QList<int>>("sentRows");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("column1"); // afterwards, every row
    QTest::addColumn<int>("currentRow");

    const QString tooLong(kMaxItemTextBytes + 1, QLatin1Char('x'));
    QTest::newRow("values in tree order, actions skipped, refusal goes on")
            << QList<TreeRow>{{Limit, {"流量上限", "6"}},
                              {Save, {"保存配置"}},
                              {Serial, {"序列号", "SN9"}},
                              {Restart, {"重启设备"}},
                              {Name, {"设备名称", "NV-2"}}}
            << false << QList<int>{0, 2, 4} << QStringList()
            << QStringList{": 6", "", ": SN1", "", ": NV-2"} << 4;
    QTest::newRow("timeout on the second item stops")
            << QList<TreeRow>{{Name, {"设备名称", "NV-2"}},
                              {Limit, {"流量上限", "7"}},
                              {Delay, {"延时(s)", "4"}}}
            << true << QList<int>{0, 1}
            << QStringList{"提交: 接受数据超时", "写入配置: 写入配置失败: 7"}
            << QStringList{": NV-2", ": 7", ": 4"} << 1;
    QTest::newRow("too long value is not sent")
            << QList<TreeRow>{{Name, {"设备名称", "NV-2"}},
                              {Delay, {"延时(s)", tooLong}},
                              {Limit, {"流量上限", "7"}}}
            << false << QList<int>{0}
            << QStringList{"提交: " + itemValueTooLongText(), "写入配置: 写入配置失败: " + tooLong}
            << QStringList{": NV-2", ": " + tooLong, ": 7"} << 1;
    QTest::newRow("empty tree") << QList<TreeRow>() << false << QList<int>() << QStringList()
                                << QStringList() << -1;
}

void TestItemOperations::bulkWrite()
{
    QFETCH(QList<TreeRow>, rows);
    QFETCH(bool, secondUnanswered);
    QFETCH(QList<int>, sentRows);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, column1);
    QFETCH(int, currentRow);

    if (secondUnanswered)
        m_sim->faults().dropAnswers(1, rows.at(1).item);
    addRows(rows);
    ModalDriver driver(m_window.get());
    m_window->findChild<QAction *>(QStringLiteral("save"))->trigger();

    QList<QByteArray> frames;
    for (int row : sentRows)
        frames << makeWriteItemFrame(rows.at(row).item, rows.at(row).fields.at(1));
    QCOMPARE(m_sim->receivedFrames(), frames);
    QCOMPARE(driver.summaries(), boxes);
    for (const Shown &box : driver.shown()) {
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(box.windowIcon);
        QCOMPARE(box.currentRow, currentRow); // the item being written is the current one
    }
    QStringList texts;
    for (int row = 0; row < m_tree->topLevelItemCount(); ++row)
        texts << m_tree->topLevelItem(row)->text(1);
    QCOMPARE(texts, column1);
    QCOMPARE(m_tree->indexOfTopLevelItem(m_tree->currentItem()), currentRow);
    QCOMPARE(status(),
             boxes.isEmpty() ? QStringLiteral("写入配置成功") : boxes.last().section(": ", 1));
}

void TestItemOperations::csvRoundTrip()
{
    const QList<TreeRow> rows{{3, {"设备名称", "NV-1 流量计"}},
                              {7, {"保存配置"}},
                              {12, {"用户备注", ""}},
                              {120, {"波特率(9600/19200)", "19200"}},
                              {8, {"重启设备"}}};
    addRows(rows);
    const QStringList exported = describeTree(m_tree);
    const QString file = path(QStringLiteral("items.csv"));

    ModalDriver driver(m_window.get());
    driver.plan(pickFile(file));
    m_window->findChild<QAction *>(QStringLiteral("export_2"))->trigger();
    QCOMPARE(status(), QStringLiteral("导出配置成功"));
    QVERIFY(QFile::exists(file));

    m_window->slotClearItems();
    m_window->slotAddItems(40, {QStringLiteral("旧项目"), QStringLiteral("1")});
    driver.plan(pickFile(file));
    m_window->findChild<QAction *>(QStringLiteral("import_2"))->trigger();
    QCOMPARE(describeTree(m_tree), exported);
    QCOMPARE(status(), QStringLiteral("导入配置成功"));

    QCOMPARE(driver.shown().size(), 2);
    const QStringList captions{QStringLiteral("导出配置"), QStringLiteral("导入配置")};
    for (int i = 0; i < 2; ++i) {
        const Shown dialog = driver.shown().at(i);
        QCOMPARE(dialog.kind, QStringLiteral("file"));
        QCOMPARE(dialog.title, captions.at(i));
        QCOMPARE(dialog.text, QDir(QCoreApplication::applicationDirPath()).absolutePath());
        QCOMPARE(dialog.options, QStringList{QStringLiteral("Files (*.csv)")});
    }
}

void TestItemOperations::importRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty line inside") << QByteArray("01. 设备名称, A\n\n02. 通讯地址, 1\n");
    QTest::newRow("blank line before the end") << QByteArray("01. 设备名称, A\n\n");
    QTest::newRow("line without a number") << QByteArray("01. 设备名称, A\n设备型号, B\n");
}

// The file is parsed as a whole first: a broken file leaves the tree as it was.
void TestItemOperations::importRefused()
{
    QFETCH(QByteArray, content);

    const QString file = path(QStringLiteral("broken.csv"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("\xEF\xBB\xBF" + content);
    out.close();
    addSimulatorRows({Name, Limit});
    const QStringList before = describeTree(m_tree);

    ModalDriver driver(m_window.get());
    driver.plan(pickFile(file));
    m_window->findChild<QAction *>(QStringLiteral("import_2"))->trigger();

    QCOMPARE(driver.summaries().mid(1), QStringList{QStringLiteral("导入配置: 文件解析错误")});
    QCOMPARE(driver.shown().at(1).icon, QMessageBox::Critical);
    QVERIFY(driver.shown().at(1).windowIcon);
    QCOMPARE(describeTree(m_tree), before);
    QCOMPARE(status(), QStringLiteral("文件解析错误"));
}

void TestItemOperations::importEmptyFile()
{
    const QString file = path(QStringLiteral("empty.csv"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.close();
    addSimulatorRows({Name, Limit});

    ModalDriver driver(m_window.get());
    driver.plan(pickFile(file));
    m_window->findChild<QAction *>(QStringLiteral("import_2"))->trigger();

    QCOMPARE(driver.shown().size(), 1); // the file dialog only
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    QCOMPARE(status(), QStringLiteral("导入配置成功"));
}

void TestItemOperations::fileDialogCancelled_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("export") << "export_2";
    QTest::newRow("import") << "import_2";
}

void TestItemOperations::fileDialogCancelled()
{
    QFETCH(QString, action);

    addSimulatorRows({Name, Save});
    const QStringList before = describeTree(m_tree);
    ModalDriver driver(m_window.get());
    driver.plan(pickFile(QString()));
    m_window->findChild<QAction *>(action)->trigger();

    QCOMPARE(driver.shown().size(), 1);
    QCOMPARE(describeTree(m_tree), before);
    QCOMPARE(status(), QString::fromLatin1(kMarker));
}

void TestItemOperations::syncTime_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("text"); // "%1": the port name

    QTest::newRow("acknowledged") << Fault::None << "同步时间成功";
    QTest::newRow("refused") << Fault::ReplaceWithRefusal << "同步时间失败";
    QTest::newRow("extra byte after the acknowledgement") << Fault::ExtraByte << "CRC校验错误";
    QTest::newRow("no answer") << Fault::Silent << "接受数据超时";
    QTest::newRow("port held") << Fault::PortHeld << "%1";
}

void TestItemOperations::syncTime()
{
    QFETCH(Fault, fault);
    QFETCH(QString, text);

    if (text == QLatin1String("%1"))
        text = portText();
    QSerialPort holder;
    applyFault(fault, holder);
    if (QTest::currentTestFailed())
        return;
    ModalDriver driver(m_window.get());
    m_window->findChild<QAction *>(QStringLiteral("sync_time"))->trigger();

    QCOMPARE(driver.summaries(), QStringList{QStringLiteral("同步时间: ") + text});
    const Shown box = driver.shown().first();
    QCOMPARE(box.options.size(), 1);
    if (fault != Fault::None) {
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(box.windowIcon);
        QCOMPARE(status(), text);
        return;
    }
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(status(), QString::fromLatin1(kMarker)); // the information box leaves the status bar
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(qAbs(m_sim->storedClock().secsTo(now)) <= kClockToleranceSecs);
    // The instrument's own clock item now runs from the PC's time.
    const QDateTime shown = QDateTime::fromString(m_sim->itemText(DeviceClock).section(':', 1),
                                                  QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QVERIFY2(qAbs(shown.secsTo(now)) <= kClockToleranceSecs,
             qPrintable(m_sim->itemText(DeviceClock)));
}

QTEST_MAIN(TestItemOperations)
#include "tst_itemoperations.moc"
