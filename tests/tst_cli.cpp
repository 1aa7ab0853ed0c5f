#include "commandset.h"
#include "guiresources.h"
#include "historydata.h"
#include "httptestserver.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "packagewriter.h"
#include "updatetestsupport.h"

#include <QtTest>

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>

#include <csignal>
#include <memory>

namespace {
constexpr int kRunTimeoutMs = 30000;
const QString kToday = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

// Exit statuses norvo-cli documents.
enum Exit { Success = 0, Differs = 1, Usage = 2, File = 3, Link = 4, Refused = 5, Network = 6 };

// Numbers of the instrument's items once the running clock is left out.
enum Item { Serial = 2, Mode = 4, Range = 9, Damping = 12, Place = 14, Save = 17, Missing = 40 };
enum ClockItem { NoClockItem, ClockLeftOut, ClockWritten };

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// The built-in items without the running clock, whose value moves between two reads.
ItemSet itemsWithoutClock()
{
    const ItemSet builtIn = ItemSet::builtIn();
    ItemSet items;
    for (int i = 0; i < builtIn.count(); ++i) {
        if (builtIn.at(i).name() != QStringLiteral("设备时间"))
            items.append(builtIn.at(i));
    }
    return items;
}

int writeFrames(const QList<QByteArray> &frames)
{
    return static_cast<int>(std::count_if(frames.begin(), frames.end(), [](const QByteArray &f) {
        return f.size() > 1 && quint8(f.at(1)) == 0x0F && f.at(2) == 'K';
    }));
}
using SimTest::fileBytes;
using SimTest::writeFile;
} // namespace

// The norvo-cli program, run as a user runs it, against the simulated instrument.
class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        // A copy of the program with one translation beside it; the program
        // itself finds all of them in the build tree.
        QVERIFY(QDir().mkpath("bin") && QFile::copy(NORVO_CLI_PROGRAM, "bin/norvo-cli"));
        QVERIFY(QFile::copy(NORVO_RUN_FILES_DIR "/en_US.qm", "bin/en_US.qm"));
    }
    void init()
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        m_sim->setItems(itemsWithoutClock());
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim), QString());
        singleton<Config>::destroyInstance(); // config.ini written for the program to read
    }
    void cleanup()
    {
        m_sim.reset();
        SimTest::resetSettings();
        // Files of one row must not be there for the next; a file dialog would
        // ask whether to replace them.
        for (const QString &name : QDir().entryList({"*.csv", "*.pdf", "*.nvbin", "SkipItems"}))
            QFile::remove(name);
        QDir(QStringLiteral("got")).removeRecursively();
    }
    void exitStatus_data();
    void exitStatus();
    void readCsvMatchesWindow();
    void write_data();
    void write();
    void diffAndOnlyChanged_data();
    void diffAndOnlyChanged();
    void set_data();
    void set();
    void clock();
    void history();
    void settings();
    void flash_data();
    void flash();
    void download_data();
    void download();
    void monitor_data();
    void monitor();

private:
    // Standard output goes to outputFile if given; signal, if given, is sent
    // as soon as the program shows progress on standard error.
    CliRun run(const QStringList &arguments, int signal = 0, const QString &outputFile = QString(),
               const QString &program = NORVO_CLI_PROGRAM) const;

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

CliRun TestCli::run(const QStringList &arguments, int signal, const QString &outputFile,
                    const QString &program) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_ALL"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("zh_CN.UTF-8"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR")); // Qt warns about it
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(program, arguments);
    CliRun result;
    if (signal != 0) {
        process.setReadChannel(QProcess::StandardError);
        if (process.waitForReadyRead(kRunTimeoutMs))
            ::kill(static_cast<pid_t>(process.processId()), signal);
    }
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("(did not end)");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void TestCli::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // on standard error, or on standard output for 0
    QTest::addColumn<QString>("output");  // where standard output goes, if not to the test
    QTest::addColumn<QString>("program"); // the one built, unless given
    const auto row = [](const char *tag, const QStringList &arguments, Exit exit, const char *text,
                        const QString &output = QString(), const QString &program = QString()) {
        QTest::newRow(tag) << arguments << int(exit) << QString::fromUtf8(text) << output
                           << (program.isEmpty() ? QString(NORVO_CLI_PROGRAM) : program);
    };
    row("option of another command", {"read", "--at", "2030-01-01 00:00:00"}, Usage, "“at”");
    row("item number past one byte", {"set", "256", "1"}, Usage, "0 到 255");
    row("value longer than a frame", {"set", "12", QString(300, 'x')}, Usage, "数值过长");
    row("clock year that would arrive as 2099", {"clock", "--at", "1999-12-31 23:59:59"}, Usage,
        "2000 到 2099");
    row("impossible date", {"clock", "--at", "2030-02-30 00:00:00"}, Usage,
        "这个日期不存在: 2030-02-30");
    row("missing package", {"package-info", "nowhere.nvbin"}, File, "文件不存在: nowhere.nvbin");
    row("history export of unknown kind", {"history", "-o", "h.txt"}, Usage, "h.txt");
    row("baud rate not a number", {"--baud", "fast", "read"}, Usage, "fast");
    row("unknown language", {"--lang", "fr", "read"}, Usage, "fr");
    row("missing settings file", {"--config", "nowhere.ini", "read"}, File, "nowhere.ini");
    row("help: item numbers as in the file", {"set", "--help"}, Success,
        "与 CSV 文件中的相同, 从 0 起");
    row("help: status 1", {"diff", "--help"}, Success, "1  仪表与文件不同 (diff)");
    row("English from the build tree", {"--lang", "en_US", "x"}, Usage, "Unknown command: x");
    row("English beside the program", {"--lang", "en_US", "x"}, Usage, "Unknown command: x", {},
        "bin/norvo-cli");
    row("no file for the language", {"--lang", "zh_TW", "x"}, Usage, "找不到 zh_TW 的翻译文件", {},
        "bin/norvo-cli");
    row("result not written", {"--help"}, File, "结果没能写到标准输出", "/dev/full");
    // The instrument is silent or absent: a link failure, not a refusal, whatever the command.
    row("set on a silent instrument", {"set", "12", "7"}, Link, "接受数据超时");
    row("set with no port named", {"--port=", "set", "12", "7"}, Link, "串口打开失败");
    row("read with the port absent", {"--port", "/dev/norvo-none", "read", "-o", "a.csv"}, Link,
        "打开串口失败: /dev/norvo-none");
}

// Each way a command line ends: its exit status and the message shown.
void TestCli::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QString, output);
    QFETCH(QString, program);

    m_sim->faults().setSilent(true);
    const CliRun result = run(arguments, 0, output, program);
    QCOMPARE(result.exitCode, exitCode);
    const QString shown = exitCode == Success ? QString::fromUtf8(result.out) : result.err;
    QVERIFY2(shown.contains(message), qPrintable(shown));
    if (exitCode != Link)
        QCOMPARE(m_sim->receivedByteCount(), qint64(0));
    else
        QVERIFY(result.out.isEmpty()
                && !QFile::exists(QStringLiteral("a.csv"))); // nothing cut short
}

// The window's export and the command's, SkipItems applied alike.
void TestCli::readCsvMatchesWindow()
{
    QVERIFY(writeFile(QStringLiteral("SkipItems"), "NV-100 流量计,NV-100A\n"));
    {
        MainWindow window;
        window.show();
        window.findChild<QAction *>("refresh")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !window.isBusy(); }, kRunTimeoutMs));
        ModalDriver driver;
        driver.plan(ModalDriver::pickFile(m_dir.filePath(QStringLiteral("window.csv"))));
        window.findChild<QAction *>("export_2")->trigger();
        window.close();
    }
    const CliRun result = run({"read", "-o", "cli.csv"});
    QCOMPARE(result.exitCode, int(Success));
    QVERIFY(result.out.isEmpty());
    QCOMPARE(fileBytes(QStringLiteral("cli.csv")), fileBytes(QStringLiteral("window.csv")));
}

void TestCli::write_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("clock"); // the instrument shows its running clock as an item

    const auto row = [](const char *tag, const QByteArray &from, const QByteArray &to, Exit exit,
                        const char *shown, ClockItem clock = NoClockItem) {
        QTest::newRow(tag) << from << to << int(exit) << QString::fromUtf8(shown) << int(clock);
    };
    row("edited value taken", "阻尼时间(s), 3", "阻尼时间(s), 12", Success, "12  阻尼时间(s): 12");
    row("read-only value refused, the rest still written", "序列号, NV2026120601", "序列号, SN-X",
        Refused, "02  序列号: NV2026120601  (未采用 SN-X)");
    row("value too long for one frame", "设备名称, NV-100 流量计",
        "设备名称, " + QByteArray(300, 'x'), File, "数值过长");
    row("line that does not parse", "12. 阻尼时间(s), 3", "12 阻尼时间(s) 3", File,
        "文件解析错误: 第13行");
    // An old time would set the clock back: sent only when asked for. The
    // echo then shows the time the clock has reached: no refusal.
    row("old clock time left out", "设备时间, 2026-12-06 10:00:0", "设备时间, 2020-01-01 00:00:0",
        Success, "请加 --include-clock", ClockLeftOut);
    row("old clock time written when asked", "设备时间, 2026-12-06 10:00:0",
        "设备时间, 2020-01-01 00:00:0", Success, "未采用 0 项", ClockWritten);
}

void TestCli::write()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(int, exitCode);
    QFETCH(QString, shown);
    QFETCH(int, clock);

    if (clock != NoClockItem)
        m_sim->setItems(ItemSet::builtIn());
    QCOMPARE(run({"read", "-o", "a.csv"}).exitCode, int(Success));
    QByteArray csv = fileBytes(QStringLiteral("a.csv"));
    QVERIFY(csv.contains(from));
    QVERIFY(writeFile(QStringLiteral("a.csv"),
                      csv.replace(from, to).replace("工作模式(自动/手动/测试), 自动",
                                                    "工作模式(自动/手动/测试), 手动")));
    const int framesBefore = m_sim->receivedFrames().size();

    QStringList arguments{"write", "a.csv"};
    if (clock == ClockWritten)
        arguments << "--include-clock";
    const CliRun result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2((QString::fromUtf8(result.out) + result.err).contains(shown),
             qPrintable(result.out + result.err));
    const QList<QByteArray> frames = m_sim->receivedFrames().mid(framesBefore);
    if (exitCode == File) {
        QVERIFY(frames.isEmpty());
        return;
    }
    // Every item with a value is sent, no action item.
    QCOMPARE(writeFrames(frames), m_sim->items().count() - 2 - (clock == ClockLeftOut ? 1 : 0));
    QCOMPARE(m_sim->items().at(Mode).value(), QStringLiteral("手动"));
}

void TestCli::diffAndOnlyChanged_data()
{
    QTest::addColumn<bool>("edited");   // 工作模式 and 量程上限 changed in the file
    QTest::addColumn<int>("forgotten"); // an item whose writes are echoed but not kept
    QTest::addColumn<int>("diffExit");
    QTest::addColumn<int>("writeExit");
    QTest::addColumn<QString>("shown"); // by the write, on either output

    QTest::newRow("instrument matches: nothing sent")
            << false << -1 << int(Success) << int(Success) << "仪表的数值已与文件一致";
    QTest::newRow("two values differ")
            << true << -1 << int(Differs) << int(Success) << "已写入 2 项, 回读一致";
    // The old value holds the new one as text: still not kept.
    QTest::newRow("value echoed but not kept") << true << int(Range) << int(Differs) << int(Refused)
                                               << "第 9 项 量程上限: 写入 500, 回读为 500.0";
}

void TestCli::diffAndOnlyChanged()
{
    QFETCH(bool, edited);
    QFETCH(int, forgotten);
    QFETCH(int, diffExit);
    QFETCH(int, writeExit);
    QFETCH(QString, shown);

    QCOMPARE(run({"read", "-o", "a.csv"}).exitCode, int(Success));
    QByteArray csv = fileBytes(QStringLiteral("a.csv"));
    if (edited)
        csv.replace("工作模式(自动/手动/测试), 自动", "工作模式(自动/手动/测试), 手动")
                .replace("量程上限, 500.0", "量程上限, 500");
    QVERIFY(writeFile(QStringLiteral("a.csv"), csv));
    if (forgotten >= 0)
        m_sim->faults().forgetWrites(FaultPlan::kEveryTime, forgotten);

    const CliRun diff = run({"diff", "a.csv", "--json"});
    QCOMPARE(diff.exitCode, diffExit);
    const QByteArray differences
            = QJsonDocument(QJsonArray{
                                    QJsonObject{{"item", Mode},
                                                {"name", "工作模式(自动/手动/测试)"},
                                                {"instrument", "自动"},
                                                {"file", "手动"}},
                                    QJsonObject{{"item", Range},
                                                {"name", "量程上限"},
                                                {"instrument", "500.0"},
                                                {"file", "500"}},
                            })
                      .toJson(QJsonDocument::Compact);
    QCOMPARE(QJsonDocument::fromJson(diff.out).toJson(QJsonDocument::Compact),
             edited ? differences : QByteArray("[]"));

    const int framesBefore = m_sim->receivedFrames().size();
    const CliRun result = run({"write", "a.csv", "--only-changed", "--verify"});
    QCOMPARE(result.exitCode, writeExit);
    QVERIFY2((QString::fromUtf8(result.out) + result.err).contains(shown),
             qPrintable(result.out + result.err));
    // The list is read, the differing items written in item order, each read back once.
    QList<QByteArray> expected;
    if (edited)
        expected = {makeWriteItemFrame(Mode, "手动"), makeWriteItemFrame(Range, "500"),
                    makeReadItemFrame(Mode), makeReadItemFrame(Range)};
    const QList<QByteArray> frames = m_sim->receivedFrames().mid(framesBefore);
    QCOMPARE(frames.mid(frames.size() - expected.size()), expected);
    QCOMPARE(writeFrames(frames), expected.size() / 2);
}

void TestCli::set_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("written"); // the write frame sent, if any
    QTest::addColumn<QString>("shown");      // on standard output and error

    const auto row = [](const char *tag, const QStringList &arguments, Exit exit,
                        const QByteArray &written, const char *shown) {
        QTest::newRow(tag) << arguments << int(exit) << written << QString::fromUtf8(shown);
    };
    row("value taken", {"set", "12", "7"}, Success, makeWriteItemFrame(Damping, "7"),
        "12  阻尼时间(s): 7");
    row("value refused", {"set", "02", "SN-X"}, Refused, makeWriteItemFrame(Serial, "SN-X"),
        "仍为 NV2026120601");
    row("action item run", {"set", "17"}, Success, makeWriteItemFrame(Save, QString()),
        "17  保存配置");
    // Shown, not obeyed: an echo that would retitle the terminal and clear it.
    row("echo with control characters", {"set", "14", "A\x1b]0;x\x07\x1b[2J"}, Success,
        makeWriteItemFrame(Place, "A\x1b]0;x\x07\x1b[2J"),
        "14  安装位置: A\\x1B]0;x\\x07\\x1B[2J\n");
    row("no such item", {"set", "40", "1"}, Refused, QByteArray(), "仪表没有第 40 项");
    row("value for an action item", {"set", "17", "1"}, Usage, QByteArray(), "是操作项");
    row("no value for an item with one", {"set", "12"}, Usage, QByteArray(), "需要一个新数值");
}

void TestCli::set()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, written);
    QFETCH(QString, shown);

    const CliRun result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2((QString::fromUtf8(result.out) + result.err).contains(shown),
             qPrintable(result.out + result.err));
    const QList<QByteArray> frames = m_sim->receivedFrames();
    QCOMPARE(writeFrames(frames), written.isEmpty() ? 0 : 1);
    if (!written.isEmpty())
        QCOMPARE(frames.constLast().toHex(' '), written.toHex(' '));
}

void TestCli::clock()
{
    QCOMPARE(run({"clock", "--at", "2030-01-02 03:04:05"}).exitCode, int(Success));
    QCOMPARE(m_sim->storedClock(), QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5)));
    // "NG" in place of "OK": a good answer, but not the acknowledgement.
    m_sim->faults().replaceAnswers(QByteArray::fromHex("FF03024E47E402"));
    const CliRun refused = run({"clock"});
    QCOMPARE(refused.exitCode, int(Refused));
    QVERIFY2(refused.err.contains(QStringLiteral("同步时间失败")), qPrintable(refused.err));
}

void TestCli::history()
{
    // The dialog's CSV export of today's records is what the command writes.
    {
        HistoryData dialog;
        dialog.findChild<QPushButton *>("bntQuery")->click();
        QVERIFY(QTest::qWaitFor([&] { return !dialog.isQuerying(); }, kRunTimeoutMs));
        ModalDriver driver;
        driver.plan(ModalDriver::pickFile(m_dir.filePath(QStringLiteral("dialog.csv"))));
        dialog.findChild<QPushButton *>("bntExportCSV")->click();
    }
    const CliRun csv = run({"history", "-o", "cli.csv"});
    QCOMPARE(csv.exitCode, int(Success));
    QCOMPARE(fileBytes(QStringLiteral("cli.csv")), fileBytes(QStringLiteral("dialog.csv")));

    const CliRun printed = run({"history", "--from", kToday, "--to", kToday});
    QCOMPARE(printed.out, fileBytes(QStringLiteral("dialog.csv")));

    const CliRun json = run({"history", "--json"});
    const QJsonObject records = QJsonDocument::fromJson(json.out).object();
    QCOMPARE(records.value("columns").toInt(), 4);
    QCOMPARE(records.value("rows").toArray().at(1).toArray().at(0).toString(),
             kToday + QStringLiteral(" 00:00:00"));

    // The file name's suffix chooses the kind of export.
    const CliRun pdf = run({"history", "-o", "h.pdf"});
    QCOMPARE(pdf.exitCode, int(Success));
    QVERIFY(fileBytes(QStringLiteral("h.pdf")).startsWith("%PDF-"));
    // Qt's own warnings stay off the command line's standard error.
    QVERIFY2(!pdf.err.contains("XDG_RUNTIME_DIR"), qPrintable(pdf.err));
}

void TestCli::settings()
{
    // --port and --baud serve one run; config.ini stays as it was.
    QVERIFY(writeFile(QStringLiteral("config.ini"),
                      "[serial]\nport=/dev/norvo-none\nbaudrate=9600\n"));
    const QByteArray before = fileBytes(QStringLiteral("config.ini"));
    QCOMPARE(run({"read", "--port", m_sim->portName(), "--baud", "115200"}).exitCode, int(Success));
    QCOMPARE(fileBytes(QStringLiteral("config.ini")), before);
    QCOMPARE(run({"read"}).exitCode, int(Link));

    // Another settings file brings its own SkipItems.
    QVERIFY(QDir().mkpath(QStringLiteral("bench")));
    QVERIFY(writeFile(QStringLiteral("bench/bench.ini"),
                      "[serial]\nport=" + m_sim->portName().toUtf8() + "\nbaudrate=115200\n"));
    QVERIFY(writeFile(QStringLiteral("bench/SkipItems"), "NV-100 流量计,NV-100A\n"));
    const CliRun other = run({"--config", "bench/bench.ini", "read", "--json"});
    QCOMPARE(other.exitCode, int(Success));
    const QJsonArray items = QJsonDocument::fromJson(other.out).array();
    QCOMPARE(items.first().toObject().value("item").toInt(), int(Serial));
    QCOMPARE(items.last().toObject(),
             (QJsonObject{{"item", Save + 1}, {"name", "重启设备"}, {"action", true}}));

    // Without config.ini here, the one the menu's assistant keeps in the user's folder.
    QVERIFY(QFile::remove(QStringLiteral("config.ini")));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("data/norvo-assistant"))));
    QVERIFY(QFile::copy(QStringLiteral("bench/bench.ini"),
                        m_dir.filePath(QStringLiteral("data/norvo-assistant/config.ini"))));
    QCOMPARE(run({"read"}).exitCode, int(Success));
}

void TestCli::flash_data()
{
    QTest::addColumn<QString>("model"); // of the package; null: a file that is no package
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // on standard error
    QTest::addColumn<int>("signal");      // sent once the update shows progress
    QTest::addColumn<int>("imageBytes");  // three pages, the last one part-filled, unless 0

    QTest::newRow("package for this instrument")
            << "NV-100A" << QStringList{"--fast"} << int(Success) << "更新固件 100%" << 0 << 2500;
    // A closed terminal or a kill request may not cut the update short.
    QTest::newRow("terminal closed meanwhile") << "NV-100A" << QStringList{"--fast"} << int(Success)
                                               << "正在更新固件" << SIGHUP << 2500;
    QTest::newRow("asked to end meanwhile") << "NV-100A" << QStringList{"--fast"} << int(Success)
                                            << "正在更新固件" << SIGTERM << 2500;
    QTest::newRow("package for another model")
            << "NV-200B" << QStringList() << int(Refused) << "BIN文件与设备型号不一致" << 0 << 2500;
    QTest::newRow("no package") << QString() << QStringList() << int(File) << "解析文件失败" << 0
                                << 2500;
    QTest::newRow("package without an image")
            << "NV-100A" << QStringList() << int(File) << "固件包中没有固件" << 0 << 0;
}

void TestCli::flash()
{
    QFETCH(QString, model);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(int, signal);
    QFETCH(int, imageBytes);

    const QByteArray image = UpdateTest::imageOf(imageBytes);
    QString error;
    if (model.isNull())
        QVERIFY(writeFile(QStringLiteral("fw.nvbin"), image));
    else
        QVERIFY2(writePackage(QStringLiteral("fw.nvbin"),
                              packageEntries(QStringLiteral("流量计"), model, "V2", image), &error),
                 qPrintable(error));
    m_sim->enterBootLoader(UpdateTest::kModel);
    m_sim->setBootLoaderFaults(UpdateTest::closingAnswered());

    const CliRun result = run(QStringList{"flash", "fw.nvbin"} + options, signal);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    if (exitCode == File)
        QCOMPARE(m_sim->receivedByteCount(), qint64(0));
    if (exitCode == Success) {
        QCOMPARE(m_sim->flashedImage(), image);
        const CliRun info = run({"package-info", "fw.nvbin", "--json"});
        QCOMPARE(QJsonDocument::fromJson(info.out).object().value("imageBytes").toInt(),
                 image.size());
    }
}

void TestCli::download_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("serverUp");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("present"); // already in the folder under the package's name

    const QStringList download{"download", "NV-100A-V2", "--dir", "got"};
    QTest::newRow("catalogue") << QStringList{"catalogue", "--json"} << true << int(Success)
                               << QByteArray();
    QTest::newRow("download") << download << true << int(Success) << QByteArray();
    QTest::newRow("file there kept") << download << true << int(File) << QByteArray("older");
    QTest::newRow("file there replaced, forced")
            << download + QStringList{"--force"} << true << int(Success) << QByteArray("older");
    QTest::newRow("name not in the catalogue") << QStringList{"download", "NV-999", "--dir", "got"}
                                               << true << int(Usage) << QByteArray();
    QTest::newRow("server not reachable")
            << QStringList{"catalogue"} << false << int(Network) << QByteArray();
}

void TestCli::download()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, serverUp);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, present);

    const QString target = QStringLiteral("got/NV-100A-V2.nvbin");
    if (!present.isEmpty())
        QVERIFY(QDir().mkpath("got") && writeFile(target, present));
    QTemporaryDir served;
    const QByteArray package("package bytes");
    QVERIFY(writeFile(served.filePath(QStringLiteral("NV-100A-V2.nvbin")), package));
    HttpTestServer server(served.path());
    QVERIFY(server.isRunning());
    const QString base = server.baseUrl();
    if (!serverUp)
        server.stop();
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl, base + '/');
    singleton<Config>::destroyInstance();

    const CliRun result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    if (arguments.first() == QStringLiteral("catalogue") && exitCode == Success)
        QCOMPARE(QJsonDocument::fromJson(result.out).array().first().toObject().value("name"),
                 QJsonValue("NV-100A-V2"));
    const bool downloaded = exitCode == Success && arguments.first() == QStringLiteral("download");
    QCOMPARE(QFile::exists(target), downloaded || !present.isEmpty());
    if (QFile::exists(target))
        QCOMPARE(fileBytes(target), downloaded ? package : present);
}

void TestCli::monitor_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("interrupt");         // Ctrl-C once output has come
    QTest::addColumn<QList<QByteArray>>("sent"); // debug switch frames, in order
    QTest::addColumn<QString>("shown");          // a line of the output, as a pattern

    const QByteArray on = makeWriteItemFrame(kDebugSwitchItem, "1");
    const QByteArray off = makeWriteItemFrame(kDebugSwitchItem, "0");
    QTest::newRow("for a second, logged")
            << QStringList{"monitor", "--duration", "1", "--log", "m.log", "--raw", "m.bin"}
            << false << QList<QByteArray>{on, off} << "^DBG #\\d+ t=\\d+ ";
    QTest::newRow("until Ctrl-C") << QStringList{"monitor", "--hex"} << true
                                  << QList<QByteArray>{on, off}
                                  << "^\\[[-0-9 :.]+\\]\\[\\d+\\] : 44 42 47 20 23 ";
    QTest::newRow("without debug output")
            << QStringList{"monitor", "--no-debug", "--duration", "0.5"} << false
            << QList<QByteArray>{off} << QString();
}

void TestCli::monitor()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, interrupt);
    QFETCH(QList<QByteArray>, sent);
    QFETCH(QString, shown);

    QProcess process;
    process.start(QStringLiteral(NORVO_CLI_PROGRAM), arguments);
    if (interrupt) {
        QVERIFY(process.waitForReadyRead(kRunTimeoutMs));
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    }
    QVERIFY(process.waitForFinished(kRunTimeoutMs));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), int(Success));
    // Switched off before the program left, as the dialog's stop does.
    QCOMPARE(m_sim->receivedFrames(), sent);
    QVERIFY(!m_sim->debugOutputOn());
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    if (arguments.contains(QStringLiteral("--log"))) { // the text with its CR LF; the bytes
        QCOMPARE(QString::fromUtf8(fileBytes(QStringLiteral("m.log"))).remove('\r'), output);
        QCOMPARE(decodeGb2312(fileBytes(QStringLiteral("m.bin"))),
                 QString::fromUtf8(fileBytes(QStringLiteral("m.log"))));
    }
    if (shown.isEmpty())
        QVERIFY(output.isEmpty());
    else
        QVERIFY2(output.contains(QRegularExpression(shown, QRegularExpression::MultilineOption)),
                 qPrintable(output));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
