#include "guiresources.h"
#include "httptestserver.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "packagewriter.h"
#include "updatedialog.h"
#include "updatetestsupport.h"

#include <QAction>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

using namespace UpdateTest;

namespace {
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

// The update dialog as the user meets it: choosing a package, refusals before
// flashing, downloading and flashing into the simulated boot-loader with
// closing refused meanwhile, and workers stopped when the dialog ends.
class TestUpdateDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        QString error;
        const QList<PackageEntry> entries
                = packageEntries("NV-100 流量计", kModel, "V2.0.1", imageOf(3 * kBootPageBytes));
        m_cell = packageCell(packagePayload(entries));
        m_package = QDir::current().absoluteFilePath(QStringLiteral("demo.nvbin"));
        QVERIFY2(writePackage(m_package, entries, &error), qPrintable(error));
    }
    void cleanup() { SimTest::resetSettings(); }
    void selectFile_data();
    void selectFile();
    void refusedBeforeFlashing_data();
    void refusedBeforeFlashing();
    void flashFailure();
    void openedFromMainWindow();
    void downloadThenFlashRefusingToClose();
    void downloadRefused_data();
    void downloadRefused();
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

void TestUpdateDialog::selectFile_data()
{
    QTest::addColumn<bool>("corrupt"); // a byte of the package changed first
    QTest::addColumn<bool>("cancel");  // the file dialog cancelled instead
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("package read") << false << false
                                  << QStringList{"NV-100 流量计", kModel, "V2.0.1"};
    QTest::newRow("broken package shows nothing") << true << false << QStringList{"", "", ""};
    QTest::newRow("cancelled") << false << true << QStringList{"", "", ""};
}

void TestUpdateDialog::selectFile()
{
    QFETCH(bool, corrupt);
    QFETCH(bool, cancel);
    QFETCH(QStringList, fields);

    const QString path = copyOfPackage();
    if (corrupt)
        corruptCell(path, m_cell);
    UpdateDialog dialog;
    dialog.show();
    ModalDriver driver;
    driver.plan(ModalDriver::pickFile(m_package)); // a good package first, so clearing shows
    dialog.slotSelectFile();
    if (!cancel)
        driver.plan(ModalDriver::pickFile(path));
    dialog.slotSelectFile();

    QCOMPARE(driver.shown().size(), 2); // the two file dialogs, no box
    QCOMPARE(this->fields(dialog), fields);
    QCOMPARE(child<QLineEdit>(dialog, "edFilePath")->text(), cancel ? QString() : path);
    QCOMPARE(child<QPushButton>(dialog, "bntUpdate")->isEnabled(), !fields.first().isEmpty());
}

void TestUpdateDialog::refusedBeforeFlashing_data()
{
    QTest::addColumn<int>("change"); // 0 none chosen, 1 removed, 2 corrupted after choosing
    QTest::addColumn<QString>("message");
    QTest::newRow("no file chosen") << 0 << "请选择文件!";
    QTest::newRow("file removed after choosing") << 1 << "更新失败,文件不存在或拒绝访问!";
    QTest::newRow("file changed after choosing") << 2 << "解析文件失败,文件校验失败!";
}

void TestUpdateDialog::refusedBeforeFlashing()
{
    QFETCH(int, change);
    QFETCH(QString, message);

    InstrumentSimulator sim;
    QVERIFY(startBootLoader(sim, kModel, closingAnswered()).isEmpty());
    const QString path = copyOfPackage();
    UpdateDialog dialog;
    dialog.show();
    ModalDriver driver;
    if (change > 0) {
        driver.plan(ModalDriver::pickFile(path));
        dialog.slotSelectFile();
    }
    if (change == 1)
        QVERIFY(QFile::remove(path));
    if (change == 2)
        corruptCell(path, m_cell);
    dialog.slotUpdate();

    QCOMPARE(driver.summaries().mid(change > 0 ? 1 : 0), QStringList{boxed(message)});
    QCOMPARE(driver.shown().last().buttons, QStringList{"确定"});
    QTest::qWait(100);
    QCOMPARE(sim.receivedByteCount(), 0);
}

// A failure keeps the bar where it stopped and leaves the dialog usable.
void TestUpdateDialog::flashFailure()
{
    InstrumentSimulator sim;
    QVERIFY(startBootLoader(sim, kModel, pageFault(BootLoaderFaults::Answer::Wrong, 2)).isEmpty());
    singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, true);
    UpdateDialog dialog;
    dialog.show();
    ModalDriver driver;
    driver.plan(ModalDriver::pickFile(m_package));
    dialog.slotSelectFile();
    child<QPushButton>(dialog, "bntUpdate")->click();
    QTRY_COMPARE_WITH_TIMEOUT(driver.shown().size(), 2, kUpdateTimeoutMs);

    QCOMPARE(driver.summaries().last(), boxed(QStringLiteral("固件更新失败,发送文件数据失败!")));
    QCOMPARE(child<QProgressBar>(dialog, "barUpdate")->value(), 33);
    QTRY_VERIFY(child<QPushButton>(dialog, "bntUpdate")->isEnabled());
}

void TestUpdateDialog::openedFromMainWindow()
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
void TestUpdateDialog::downloadThenFlashRefusingToClose()
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
    child<QPushButton>(dialog, "bntRefresh")->click();
    QTRY_COMPARE(list->count(), 1);
    QCOMPARE(list->itemText(0), QStringLiteral("NV-100A"));
    QCOMPARE(list->itemData(0).toString(), server.url("NV-100A.nvbin"));
    QTRY_VERIFY(list->isEnabled());
    driver.plan(ModalDriver::pickFile(directory));
    child<QPushButton>(dialog, "bntSelectPath")->click();
    QCOMPARE(child<QLineEdit>(dialog, "edDownloadDir")->text(), directory);
    child<QPushButton>(dialog, "bntDownload")->click();
    QTRY_COMPARE(driver.shown().size(), 2);
    QCOMPARE(driver.summaries().last(), boxed(QStringLiteral("文件下载成功!")));
    QCOMPARE(child<QProgressBar>(dialog, "barDownload")->value(), 0);

    driver.plan(ModalDriver::pickFile(directory + QStringLiteral("/NV-100A.nvbin")));
    child<QPushButton>(dialog, "bntSelectFile")->click();
    auto *update = child<QPushButton>(dialog, "bntUpdate");
    update->click();
    // Each page waits for the line to fall quiet: time enough to try leaving.
    QTRY_VERIFY(!update->isEnabled());
    QVERIFY(!child<QPushButton>(dialog, "bntSelectFile")->isEnabled());
    QVERIFY(!child<QPushButton>(dialog, "bntDownload")->isEnabled());
    QVERIFY(!dialog.close());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(driver.shown().size(), 6, kUpdateTimeoutMs);

    const QString refusal = boxed(QStringLiteral("正在更新固件,请等待更新完成!"));
    QCOMPARE(driver.summaries().mid(3),
             (QStringList{refusal, refusal, boxed(QStringLiteral("固件更新成功!"))}));
    QCOMPARE(sim.flashedImage(), imageOf(3 * kBootPageBytes));
    QCOMPARE(child<QProgressBar>(dialog, "barUpdate")->value(), 0);
    QTRY_VERIFY(update->isEnabled());
    QVERIFY(child<QPushButton>(dialog, "bntSelectFile")->isEnabled());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

void TestUpdateDialog::downloadRefused_data()
{
    QTest::addColumn<bool>("listed"); // a package in the list; the directory dialog is cancelled
    QTest::addColumn<QString>("message");
    QTest::newRow("empty list") << false << "请选择设备类型!";
    QTest::newRow("no directory") << true << "请选择下载路径!";
}

void TestUpdateDialog::downloadRefused()
{
    QFETCH(bool, listed);
    QFETCH(QString, message);
    UpdateDialog dialog;
    dialog.show();
    ModalDriver driver;
    if (listed)
        child<QComboBox>(dialog, "cmbFileList")->addItem("NV-100A", "http://127.0.0.1:1/a.nvbin");
    dialog.slotSelectPath();
    dialog.slotStartDownloadThread();
    QCOMPARE(driver.summaries().mid(1), QStringList{boxed(message)});
}

// Ending the dialog stops a stalled fetch and download and waits for them; nothing is left behind.
void TestUpdateDialog::endingStopsDownloads()
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

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
