#include "ddbserver.h"
#include "guiresources.h"
#include "httptestserver.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "packagewriter.h"
#include "updatedialog.h"
#include "updatetestsupport.h"

#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

#include <functional>

// Builds a file in the directory and returns the path to parse; none: an empty path.
using Make = std::function<QString(const QDir &)>;
Q_DECLARE_METATYPE(Make)

using namespace UpdateTest;

namespace {
const QString kMessagePrefix = QStringLiteral("固件更新失败,");

const QString kDevice = QStringLiteral("NV-100 流量计");
const QString kVersion = QStringLiteral("V2.0.1");
const QString kNotFound = QStringLiteral("解析文件失败,文件不存在或拒绝访问!");
const QString kNotOpened = QStringLiteral("解析文件失败,打开文件失败,请检查文件类型!");
const QString kBadTable = QStringLiteral("解析文件失败,文件操作失败!");
const QString kNoContent = QStringLiteral("解析文件失败,无法获取文件内容!");
const QString kBadDigest = QStringLiteral("解析文件失败,文件校验失败!");
const QString kSentinel = QStringLiteral("sentinel");

const QByteArray kImage = imageOf(3000);

QByteArray goodPayload()
{
    return packagePayload(packageEntries(kDevice, kModel, kVersion, kImage));
}

// A map stream of count entries, each key followed by raw value bytes.
QByteArray rawMap(quint32 count, const QString &key, const QByteArray &value)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(kPackageStreamVersion);
    stream << count << key;
    return payload + value;
}

Make database(const QStringList &statements, const QVariant &cell)
{
    return [=](const QDir &dir) {
        const QString path = dir.filePath(QStringLiteral("package.nvbin"));
        QString error;
        if (!writeDatabase(path, statements, cell, &error))
            qWarning("%s", qPrintable(error));
        return path;
    };
}

// A file of these bytes, or the directory itself for null bytes.
Make plainFile(const QByteArray &bytes)
{
    return [=](const QDir &dir) {
        if (bytes.isNull())
            return dir.path();
        QFile file(dir.filePath(QStringLiteral("plain.nvbin")));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
}

Make package(const QByteArray &cell)
{
    return database({QStringLiteral("create table INFO (DATA text)"),
                     QStringLiteral("insert into INFO values (?)")},
                    QString::fromLatin1(cell));
}

Make sealed(const QByteArray &payload)
{
    return package(packageCell(payload));
}

constexpr int kUpdateTimeoutMs = 30000;
const QString kTitle = QStringLiteral("更新固件");

QString boxed(const QString &text)
{
    return kTitle + QStringLiteral(": ") + text;
}

// Changes one letter of the package's Base64 cell inside the file.
void corruptCell(const QString &path, const QByteArray &cell)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    const int at = bytes.indexOf(cell.left(40)) + 30;
    QVERIFY(at >= 30);
    file.seek(at);
    file.write(bytes.at(at) == 'A' ? "B" : "A");
}
} // namespace

// Package files read back from real SQLite files: what passes, and which of the
// five messages each kind of damage gives. The update worker against the
// simulated boot-loader: the requests it sends, the answers it accepts, what
// it reports, that the closing request follows every path that opened the
// port, and that fast completion changes when an exchange ends, never what is
// sent or decided. The update dialog as the user meets it: choosing a package,
// refusals before flashing, downloading and flashing with closing refused
// until the update ends or has failed, and workers stopped or awaited at the end.
class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        QString error;
        const QList<PackageEntry> entries
                = packageEntries(kDevice, kModel, kVersion, imageOf(3 * kBootPageBytes));
        m_cell = packageCell(packagePayload(entries));
        m_package = QDir::current().absoluteFilePath(QStringLiteral("demo.nvbin"));
        QVERIFY2(writePackage(m_package, entries, &error), qPrintable(error));
    }
    void cleanup() { SimTest::resetSettings(); }
    void parse_data();
    void parse();
    void update_data();
    void update();
    void modesAgree_data();
    void modesAgree();
    void choosePackage_data();
    void choosePackage();
    void closesRightAfterFailure();
    void openedFromMainWindow();
    void downloadThenFlashRefusingToClose();
    void endingStopsDownloads();

private:
    // A copy of the demo package the test may change.
    QString copyOfPackage()
    {
        const QString copy = QDir::current().absoluteFilePath(QStringLiteral("copy.nvbin"));
        QFile::remove(copy);
        return QFile::copy(m_package, copy) ? copy : QString();
    }
    static QStringList fields(const UpdateDialog &dialog)
    {
        return {child<QLineEdit>(dialog, "edDevice")->text(),
                child<QLineEdit>(dialog, "edType")->text(),
                child<QLineEdit>(dialog, "edVersion")->text()};
    }

    QTemporaryDir m_dir;
    QString m_package;
    QByteArray m_cell; // the package's Base64 cell
};

void TestUpdate::update_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("model"); // the package's; the boot-loader reports NV-100A
    QTest::addColumn<BootLoaderFaults>("faults");
    QTest::addColumn<QString>("port");    // null: the simulator's
    QTest::addColumn<QString>("message"); // after 固件更新失败, empty on success
    QTest::addColumn<QList<int>>("progress");
    QTest::addColumn<QString>("requests");

    const BootLoaderFaults fine = closingAnswered();
    BootLoaderFaults silent = fine;
    silent.silentIdentifications = 2;
    BootLoaderFaults wrongErase = fine;
    wrongErase.erase = BootLoaderFaults::Answer::Wrong;
    BootLoaderFaults wrongPage = fine;
    wrongPage.page = BootLoaderFaults::Answer::Wrong;
    wrongPage.pageNumber = 2;

    const auto row
            = [](const char *tag, int size, const QString &model, const BootLoaderFaults &faults,
                 const QString &message, const QList<int> &progress, const QString &requests) {
                  QTest::newRow(tag) << size << model << faults << QString() << message << progress
                                     << requests;
              };
    row("empty image refused, nothing sent", 0, kModel, fine, "固件包中没有固件!", {}, "");
    // As a real boot-loader does, which leaves for the firmware without a word.
    row("1024 bytes are one page, closing not answered", 1024, kModel, BootLoaderFaults(), "",
        {0, 0}, "IEPCC");
    row("progress is the share before each page, last page padded", 5000, kModel, fine, "",
        {0, 0, 20, 40, 61, 81}, "IEPPPPPCC");
    // Past 256 pages the one-byte page index starts again at 0, and the answers expected with it.
    const int wrapping = 257 * kBootPageBytes + 1;
    QList<int> shares{0};
    for (int page = 0; page < 258; ++page)
        shares << int(qint64(page) * kBootPageBytes * 100 / wrapping);
    row("258 pages", wrapping, kModel, fine, "", shares, "IE" + QString(258, 'P') + "CC");
    QTest::newRow("port missing") << 10 << kModel << fine << "/dev/norvo-none"
                                  << "打开串口失败: /dev/norvo-none 不存在，请检查串口名称和连线"
                                  << QList<int>() << "";
    row("identification silent twice", 10, kModel, silent,
        "获取设备ID失败! 请让仪表进入引导程序(升级模式), 并检查串口、波特率和连线。", {}, "IICC");
    row("model differing in case", 10, "nv-100a", fine,
        "BIN文件与设备型号不一致! (仪表: NV-100A, 文件: nv-100a)", {}, "ICC");
    row("erase answer wrong", 10, kModel, wrongErase, "擦除设备内存失败!", {}, "IECC");
    row("page 2 answered for page 3", 5000, kModel, wrongPage, "发送文件数据失败!", {0, 0, 20},
        "IEPPPCC");
}

void TestUpdate::update()
{
    QFETCH(int, size);
    QFETCH(QString, model);
    QFETCH(BootLoaderFaults, faults);
    QFETCH(QString, port);
    QFETCH(QString, message);
    QFETCH(QList<int>, progress);
    QFETCH(QString, requests);

    InstrumentSimulator sim;
    sim.setLatencyMs(0);
    QVERIFY(startBootLoader(sim, kModel, faults).isEmpty());
    if (!port.isNull())
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, port);
    singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, true);
    const QByteArray image = imageOf(size);

    const Outcome outcome = runUpdate(sim, packageOf(model, image));
    QCOMPARE(outcome.errors,
             message.isEmpty() ? QStringList() : QStringList{kMessagePrefix + message});
    QCOMPARE(outcome.successes, message.isEmpty() ? 1 : 0);
    QCOMPARE(outcome.progress, progress);
    QCOMPARE(requestKinds(outcome.frames), requests);
    int page = 0;
    for (const QByteArray &frame : outcome.frames)
        if (requestKinds({frame}) == QLatin1String("P"))
            QCOMPARE(static_cast<quint8>(frame.at(10)), static_cast<quint8>(page++));
    if (!message.isEmpty())
        return;
    QCOMPARE(sim.flashedImage(), image);
    // The last page is filled up with the erased-flash value, not with what lies beyond the image.
    if (size % kBootPageBytes != 0) {
        const QByteArray lastPage
                = outcome.frames.at(outcome.frames.size() - 3).mid(11, kBootPageBytes);
        QCOMPARE(lastPage.mid(size % kBootPageBytes),
                 QByteArray(kBootPageBytes - size % kBootPageBytes, UpdateThread::kPageFiller));
    }
}

void TestUpdate::modesAgree_data()
{
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<int>("splitGapMs"); // answers in three pieces this far apart; 0 whole
    QTest::addColumn<QString>("model");  // the package's; the boot-loader reports NV-100A
    QTest::newRow("success, answers in pieces") << 115200 << 60 << kModel;
    QTest::newRow("another model, identification in pieces at 9600 baud")
            << 9600 << 60 << QStringLiteral("NV-200");
}

// The same package flashed with and without fast completion: the same frames
// in the same order and the same reports; answers to the closing requests spoil nothing.
void TestUpdate::modesAgree()
{
    QFETCH(int, baudRate);
    QFETCH(int, splitGapMs);
    QFETCH(QString, model);

    InstrumentSimulator sim;
    sim.setBaudRate(baudRate);
    QVERIFY(startBootLoader(sim, kModel, closingAnswered()).isEmpty());
    Outcome outcomes[2];
    for (const bool fast : {false, true}) {
        sim.enterBootLoader(kModel);
        sim.setBootLoaderFaults(closingAnswered());
        if (splitGapMs > 0)
            sim.faults().splitAnswers(3, splitGapMs, FaultPlan::kEveryTime);
        singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, fast);
        outcomes[fast] = runUpdate(sim, packageOf(model, imageOf(100)));
    }
    QCOMPARE(outcomes[false].successes, model == kModel ? 1 : 0);
    QCOMPARE(outcomes[true].successes, outcomes[false].successes);
    QCOMPARE(outcomes[true].errors, outcomes[false].errors);
    QCOMPARE(outcomes[true].progress, outcomes[false].progress);
    QCOMPARE(requestKinds(outcomes[true].frames), requestKinds(outcomes[false].frames));
    QCOMPARE(outcomes[true].frames, outcomes[false].frames);
}

void TestUpdate::parse_data()
{
    QTest::addColumn<Make>("make");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("model"); // the model entry after a successful parse
    QTest::addColumn<int>("entries");   // entries read, -1 after a failure

    const QByteArray payload = goodPayload();
    const QByteArray good = packageCell(payload);
    const QString table = QStringLiteral("create table INFO (DATA text)");
    const QString insert = QStringLiteral("insert into INFO values (?)");
    QByteArray changed = payload;
    changed[changed.size() - 1] = static_cast<char>(changed.at(changed.size() - 1) ^ 0x01);
    QByteArray wrapped = good;
    for (int at = 76; at < wrapped.size(); at += 77)
        wrapped.insert(at, '\n');
    QList<PackageEntry> twice = packageEntries(kDevice, kModel, kVersion, kImage);
    twice.append({QStringLiteral("notes"), QStringList{"a", "b"}});
    twice.append({QString::fromLatin1(PackageKeys::kModel), QStringLiteral("NV-200")});
    const QString generated = QStringLiteral("create table INFO (DATA text, big AS (zeroblob(%1)))")
                                      .arg(DDbServer::kMaxCellBytes + 1);

    // A failure names its message and leaves the content alone; a pass gives the entries read.
    const auto fails = [](const char *tag, const Make &make, const QString &message) {
        QTest::newRow(tag) << make << message << QString() << -1;
    };
    const auto passes = [](const char *tag, const Make &make, const QString &model, int entries) {
        QTest::newRow(tag) << make << QString() << model << entries;
    };
    passes("good package", sealed(payload), kModel, 4);
    passes("cell stored as bytes under an odd column name",
           database({"create table OTHER (x)", "create table INFO (\"a]\"\"b[\" blob)", insert},
                    good),
           kModel, 4);
    passes("line breaks in the Base64 skipped", package(wrapped), kModel, 4);
    passes("a list entry and a duplicated key, the last read wins", sealed(packagePayload(twice)),
           "NV-200", 6);

    fails("empty path", Make(), kNotFound);
    fails("directory", plainFile(QByteArray()), kNotFound);
    fails("not a database", plainFile(QByteArray(4096, 'x')), kNotOpened);
    fails("no INFO table",
          database({"create table DATA (DATA text)", "insert into DATA values (?)"},
                   QString::fromLatin1(good)),
          kBadTable);
    fails("two rows", database({table, insert, insert}, QString::fromLatin1(good)), kBadTable);
    fails("virtual table", database({"create virtual table INFO using fts4(DATA)", insert}, good),
          kBadTable);
    fails("oversized cell under a bracketed name never loaded",
          database({"create table INFO (\"[DATA]\" blob)", insert},
                   QByteArray(DDbServer::kMaxCellBytes + 1, 'A')),
          kNoContent);
    fails("generated column", database({generated, insert}, good), kNoContent);

    fails("payload changed after sealing",
          package(sealBlock(changed, QCryptographicHash::hash(payload, QCryptographicHash::Md5))
                          .toBase64()),
          kBadDigest);
    // A block that announces a 2 GiB payload holds a few bytes of it.
    fails("payload length beyond the block",
          package(QByteArray::fromHex("7FFFFFFF0102030400000010").toBase64()), kBadDigest);

    // A map that cannot be read whole, that would make the reader recurse or
    // reserve memory its bytes do not bring, is a broken package.
    QByteArray nested;
    for (int depth = 0; depth < 100000; ++depth)
        nested.append(QByteArray::fromHex("000000090000000001")); // a list holding one entry
    fails("deeply nested lists", sealed(rawMap(1, "k", nested)), kBadDigest);
    fails("string list announcing 2^28 strings",
          sealed(rawMap(1, "k", QByteArray::fromHex("0000000B0010000000"))), kBadDigest);
    fails("value of an unknown type", sealed(rawMap(1, "k", QByteArray::fromHex("0000700000"))),
          kBadDigest);
}

void TestUpdate::parse()
{
    QFETCH(Make, make);
    QFETCH(QString, message);
    QFETCH(QString, model);
    QFETCH(int, entries);

    QTemporaryDir files;
    DEncryptInfo info(make ? make(QDir(files.path())) : QString());
    info.content.insert(kSentinel, 1);
    DDbServer server; // twice: the second parse closes and reopens the same file
    QCOMPARE(server.parsePackage(info), message);
    QCOMPARE(server.parsePackage(info), message);
    if (entries < 0) {
        QCOMPARE(info.content.keys(), QStringList{kSentinel}); // left as it was
        return;
    }
    QCOMPARE(info.content.size(), entries);
    QCOMPARE(info.model(), model);
    if (!model.isEmpty()) {
        QCOMPARE(info.device(), kDevice);
        QCOMPARE(info.version(), kVersion);
        QCOMPARE(info.image(), kImage);
    }
}

// How the package is chosen, and what becomes of it before the update is pressed.
enum Choice { NoneChosen, Cancelled, Chosen, BrokenBefore, RemovedAfter, ChangedAfter, NoImage };

void TestUpdate::choosePackage_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QStringList>("fields"); // shown once chosen
    QTest::addColumn<QString>("message");    // the update's refusal; empty: not pressed
    const QStringList read{kDevice, kModel, kVersion}, none{"", "", ""};
    QTest::newRow("package read") << int(Chosen) << read << QString();
    QTest::newRow("broken package shows nothing") << int(BrokenBefore) << none << QString();
    QTest::newRow("cancelled") << int(Cancelled) << none << QString();
    QTest::newRow("no file chosen") << int(NoneChosen) << none << "请选择文件!";
    QTest::newRow("file removed after choosing")
            << int(RemovedAfter) << read << "更新失败,文件不存在或拒绝访问!";
    QTest::newRow("file changed after choosing")
            << int(ChangedAfter) << read << "解析文件失败,文件校验失败!";
    QTest::newRow("no image") << int(NoImage) << read << "固件更新失败,固件包中没有固件!";
}

// The fields show the package chosen last; a refusal comes before a byte is sent.
void TestUpdate::choosePackage()
{
    QFETCH(int, choice);
    QFETCH(QStringList, fields);
    QFETCH(QString, message);

    InstrumentSimulator sim;
    QVERIFY(startBootLoader(sim, kModel, closingAnswered()).isEmpty());
    const QString path = choice != NoImage
            ? copyOfPackage()
            : sealed(packagePayload(packageEntries(kDevice, kModel, kVersion, {})))(
                    QDir::current());
    if (choice == BrokenBefore)
        corruptCell(path, m_cell);
    UpdateDialog dialog;
    dialog.show();
    ModalDriver driver;
    if (choice != NoneChosen) {
        driver.plan(ModalDriver::pickFile(m_package)); // a good package first, so clearing shows
        dialog.slotSelectFile();
        if (choice != Cancelled)
            driver.plan(ModalDriver::pickFile(path));
        dialog.slotSelectFile();
        QCOMPARE(driver.shown().size(), 2); // the two file dialogs, no box
        QCOMPARE(child<QLineEdit>(dialog, "edFilePath")->text(),
                 choice == Cancelled ? QString() : path);
    }
    QCOMPARE(this->fields(dialog), fields);
    QCOMPARE(child<QPushButton>(dialog, "bntUpdate")->isEnabled(), !fields.first().isEmpty());
    if (message.isEmpty())
        return;
    if (choice == RemovedAfter)
        QVERIFY(QFile::remove(path));
    if (choice == ChangedAfter)
        corruptCell(path, m_cell);
    const int shown = driver.shown().size();
    dialog.slotUpdate();

    QCOMPARE(driver.summaries().mid(shown), QStringList{boxed(message)});
    QTest::qWait(100);
    QCOMPARE(sim.receivedByteCount(), 0);
}

// Once a failure is told the dialog closes while the worker still waits on
// its first closing request; ending the dialog waits for the second.
void TestUpdate::closesRightAfterFailure()
{
    InstrumentSimulator sim;
    QVERIFY(startBootLoader(sim, QStringLiteral("NV-200"), BootLoaderFaults()).isEmpty());
    auto dialog = std::make_unique<UpdateDialog>();
    dialog->show();
    ModalDriver driver;
    driver.plan(ModalDriver::pickFile(m_package));
    dialog->slotSelectFile();
    dialog->slotUpdate();
    QTRY_COMPARE_WITH_TIMEOUT(driver.shown().size(), 2, kUpdateTimeoutMs);
    QCOMPARE(driver.summaries().last(),
             boxed(kMessagePrefix + "BIN文件与设备型号不一致! (仪表: NV-200, 文件: NV-100A)"));
    QVERIFY(dialog->close());
    QVERIFY(sim.closingRequests() < 2);
    dialog.reset();
    QCOMPARE(requestKinds(sim.receivedFrames()), QStringLiteral("ICC"));
}

void TestUpdate::openedFromMainWindow()
{
    MainWindow window;
    auto *update = window.findChild<QAction *>(QStringLiteral("update"));
    QVERIFY(update->isEnabled());
    ModalDriver driver;
    update->trigger();
    QCOMPARE(driver.shown().size(), 1);
    QCOMPARE(driver.shown().first().title, kTitle);
}

// A new user's path: refresh the list, download a package into a new
// directory, flash it from the upper half; leaving is refused while it flashes.
void TestUpdate::downloadThenFlashRefusingToClose()
{
    QDir().mkpath(QStringLiteral("www"));
    QVERIFY(QFile::copy(m_package, QStringLiteral("www/NV-100A.nvbin")));
    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());
    InstrumentSimulator sim;
    QVERIFY(startBootLoader(sim, kModel, closingAnswered()).isEmpty());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl, server.baseUrl());
    const QString directory = QDir::current().absoluteFilePath(QStringLiteral("Files/new"));
    QDir().mkpath(directory);

    UpdateDialog dialog;
    dialog.show();
    ModalDriver driver;
    auto *list = child<QComboBox>(dialog, "cmbFileList");
    auto *download = child<QPushButton>(dialog, "bntDownload");
    // Refused first for the empty list, then, the directory dialog cancelled, for the directory.
    download->click();
    child<QPushButton>(dialog, "bntRefresh")->click();
    QTRY_COMPARE(list->count(), 1);
    QCOMPARE(list->itemText(0), QStringLiteral("NV-100A"));
    QCOMPARE(list->itemData(0).toString(), server.url("NV-100A.nvbin"));
    QTRY_VERIFY(list->isEnabled());
    child<QPushButton>(dialog, "bntSelectPath")->click();
    download->click();
    QCOMPARE(driver.summaries().at(0), boxed(QStringLiteral("请选择设备类型!")));
    QCOMPARE(driver.summaries().at(2), boxed(QStringLiteral("请选择下载路径!")));
    driver.plan(ModalDriver::pickFile(directory));
    child<QPushButton>(dialog, "bntSelectPath")->click();
    QCOMPARE(child<QLineEdit>(dialog, "edDownloadDir")->text(), directory);
    download->click();
    QTRY_COMPARE(driver.shown().size(), 5);
    QCOMPARE(driver.summaries().last(), boxed(QStringLiteral("文件下载成功!")));
    QCOMPARE(child<QProgressBar>(dialog, "barDownload")->value(), 0);
    // Once more: the file there is replaced only on a yes, and no is the default.
    download->click();
    QCOMPARE(driver.summaries().last(), boxed(QStringLiteral("NV-100A.nvbin 已存在, 要替换它吗?")));
    QCOMPARE(driver.shown().last().buttons, (QStringList{"是", "否"}));

    driver.plan(ModalDriver::pickFile(directory + QStringLiteral("/NV-100A.nvbin")));
    child<QPushButton>(dialog, "bntSelectFile")->click();
    // What the user must read before flashing is readable, not greyed out.
    auto *model = child<QLineEdit>(dialog, "edType");
    QVERIFY(model->isEnabled() && model->isReadOnly() && model->text() == kModel);
    // The two refusals below, then the success, told with the bar full.
    const auto ok = [](QWidget *box) {
        static_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
    };
    int barWhenTold = -1;
    driver.plan(ok);
    driver.plan(ok);
    driver.plan([&](QWidget *box) {
        barWhenTold = child<QProgressBar>(dialog, "barUpdate")->value();
        ok(box);
    });
    auto *update = child<QPushButton>(dialog, "bntUpdate");
    update->click();
    // Each page waits for the line to fall quiet: time enough to try leaving.
    QTRY_VERIFY(!update->isEnabled());
    QVERIFY(!child<QPushButton>(dialog, "bntSelectFile")->isEnabled());
    QVERIFY(!download->isEnabled());
    QVERIFY(!child<QCheckBox>(dialog, "ckFast")->isEnabled());
    QVERIFY(!dialog.close());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(driver.shown().size(), 10, kUpdateTimeoutMs);

    const QString refusal = boxed(QStringLiteral("正在更新固件,请等待更新完成!"));
    QCOMPARE(driver.summaries().mid(7),
             (QStringList{refusal, refusal, boxed(QStringLiteral("固件更新成功!"))}));
    QCOMPARE(sim.flashedImage(), imageOf(3 * kBootPageBytes));
    QCOMPARE(barWhenTold, 100);
    QCOMPARE(child<QProgressBar>(dialog, "barUpdate")->value(), 0);
    QTRY_VERIFY(update->isEnabled());
    QVERIFY(child<QPushButton>(dialog, "bntSelectFile")->isEnabled());
    auto *fast = child<QCheckBox>(dialog, "ckFast");
    QVERIFY(fast->isEnabled() && !fast->isChecked()); // off while the key is absent
    fast->click();
    QCOMPARE(singleton<Config>::instance()->value(SettingsKeys::kFirmwareFastCompletion), true);
    // A failed fetch leaves the names fetched before in the list.
    server.stop();
    child<QPushButton>(dialog, "bntRefresh")->click();
    QTRY_COMPARE(driver.summaries().last(), boxed(QStringLiteral("获取设备列表失败,请重试!")));
    QTRY_VERIFY(list->isEnabled());
    QCOMPARE(list->count(), 1);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

// Ending the dialog stops a stalled fetch and download and waits for them; nothing is left behind.
void TestUpdate::endingStopsDownloads()
{
    QDir().mkpath(QStringLiteral("www"));
    QFile::copy(m_package, QStringLiteral("www/down.html"));
    QFile::copy(m_package, QStringLiteral("www/NV-100A.nvbin"));
    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl,
                                            server.url(QStringLiteral("stall")));
    QDir().mkpath(QStringLiteral("stalled"));

    auto dialog = std::make_unique<UpdateDialog>();
    dialog->show();
    child<QComboBox>(*dialog, "cmbFileList")->addItem("NV-100A", server.url("stall/NV-100A.nvbin"));
    child<QLineEdit>(*dialog, "edDownloadDir")->setText(QStringLiteral("stalled"));
    child<QPushButton>(*dialog, "bntDownload")->click();
    child<QPushButton>(*dialog, "bntRefresh")->click();
    QTRY_VERIFY(!child<QPushButton>(*dialog, "bntRefresh")->isEnabled());
    QTest::qWait(300); // both requests under way
    dialog.reset();
    QCOMPARE(QDir(QStringLiteral("stalled"))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
