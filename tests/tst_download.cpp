#include "downloadthread.h"
#include "httptestserver.h"
#include "httptransfer.h"
#include "simtestsupport.h"
#include "workerwatch.h"

#include <QtTest>

#include <QSslConfiguration>

namespace {
const QString kPackage = QStringLiteral("pkg.nvbin");
const QByteArray kOlder = "an older file of the same name";
constexpr qint64 kLargeBytes = 256 * 1024 * 1024;
constexpr qint64 kMemoryGrowthLimit = 48 * 1024 * 1024;

QByteArray served()
{
    QByteArray bytes(300 * 1024 + 7, 0);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 4096);
    return bytes;
}

// Name and content of every entry of the directory, hidden ones included.
QStringList contents(const QString &directory)
{
    QStringList list;
    const QDir dir(directory);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            list << name + QLatin1Char('/');
            continue;
        }
        list << name + QLatin1Char('=')
                        + QString::fromLatin1(
                                QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5)
                                        .toHex());
    }
    return list;
}

// The peak resident memory of this process so far, in bytes.
qint64 peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

struct Run
{
    QStringList errors;
    QList<int> progress;
    int successes = 0;
};
} // namespace

// Downloads against the local server: a file is kept only whole, a failure or
// a stop leaves the directory as it was, names from links cannot leave the
// directory, and a large file passes through without being held in memory.
class TestDownload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        QDir().mkdir(QStringLiteral("www"));
        QFile file(QStringLiteral("www/") + kPackage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(served());
    }
    void cleanup()
    {
        SimTest::resetSettings();
        QDir(QStringLiteral("target")).removeRecursively();
    }
    void certificateChecking_data();
    void certificateChecking();
    void fileName_data();
    void fileName();
    void download_data();
    void download();
    void stopInTheMiddle_data();
    void stopInTheMiddle();
    void unsafeNameWritesNothing();
    void largeFileKeepsMemoryFlat();

private:
    // Downloads link into target/, which holds an older pkg.nvbin; emits nothing after it ends.
    static Run download(DownloadThread &thread, const QString &link,
                        const std::function<void()> &whileRunning = {})
    {
        QSignalSpy errors(&thread, &DownloadThread::signalShowErrorMessage);
        QSignalSpy progress(&thread, &DownloadThread::signalSetDownloadProgress);
        QSignalSpy successes(&thread, &DownloadThread::signalDownloadSucceed);
        WorkerWatch watch(thread);
        thread.startDownload(link, QStringLiteral("target"));
        if (whileRunning)
            whileRunning();
        watch.waitForEnd(60000);
        Run run;
        for (const QList<QVariant> &signal : errors)
            run.errors << signal.at(0).toString();
        for (const QList<QVariant> &signal : progress)
            run.progress << signal.at(0).toInt();
        run.successes = successes.count();
        return run;
    }
    static void placeOlderFile()
    {
        QDir().mkdir(QStringLiteral("target"));
        QFile older(QStringLiteral("target/") + kPackage);
        older.open(QIODevice::WriteOnly);
        older.write(kOlder);
    }

    QTemporaryDir m_dir;
};

void TestDownload::certificateChecking_data()
{
    QTest::addColumn<QVariant>("setting");
    QTest::addColumn<bool>("checked");
    QTest::newRow("absent") << QVariant() << true;
    QTest::newRow("true") << QVariant("true") << true;
    QTest::newRow("false") << QVariant("false") << false;
}

// Certificates are checked unless the settings switch it off.
void TestDownload::certificateChecking()
{
    QFETCH(QVariant, setting);
    QFETCH(bool, checked);
    if (setting.isValid())
        singleton<Config>::instance()->setValue(SettingsKeys::kDownloadCheckCertificates, setting);
    const QNetworkRequest request
            = HttpTransfer::request(QUrl(QStringLiteral("https://h/a.nvbin")));
    QCOMPARE(request.sslConfiguration().peerVerifyMode() != QSslSocket::VerifyNone, checked);
}

void TestDownload::fileName_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("name"); // empty: refused
    QTest::newRow("plain") << "http://h/files/NV-100.nvbin"
                           << "NV-100.nvbin";
    QTest::newRow("encoded blank, query dropped") << "http://h/NV%20100.nvbin?v=2"
                                                  << "NV 100.nvbin";
    QTest::newRow("surrounding blanks trimmed") << "http://h/%20x.nvbin%20"
                                                << "x.nvbin";
    QTest::newRow("encoded slashes") << "http://h/..%2F..%2Fx.nvbin"
                                     << "";
    QTest::newRow("backslash") << "http://h/dir\\x.nvbin"
                               << "";
    QTest::newRow("encoded backslash") << "http://h/..%5Cx.nvbin"
                                       << "";
    QTest::newRow("empty last segment") << "http://h/files/"
                                        << "";
    QTest::newRow("no path") << "http://h"
                             << "";
    QTest::newRow("encoded dot-dot") << "http://h/files/%2E%2E"
                                     << "";
    QTest::newRow("dot") << "http://h/."
                         << "";
    QTest::newRow("drive colon") << "http://h/C:x.nvbin"
                                 << "";
    QTest::newRow("encoded zero byte") << "http://h/x.nvbin%00.txt"
                                       << "";
}

void TestDownload::fileName()
{
    QFETCH(QString, link);
    QFETCH(QString, name);
    QCOMPARE(DownloadThread::fileNameFromLink(link), name);
}

void TestDownload::download_data()
{
    QTest::addColumn<QString>("route");   // path on the server
    QTest::addColumn<QString>("message"); // the error's start; empty: success
    QTest::newRow("complete") << kPackage << QString();
    QTest::newRow("in small slow pieces") << "slow/pkg.nvbin?piece=16384&gap=5" << QString();
    QTest::newRow("no Content-Length") << "nolength/pkg.nvbin"
                                       << "下载异常: 未找到该文件或下载失败";
    QTest::newRow("404") << "none.nvbin"
                         << "下载异常: Error transferring";
    QTest::newRow("cut in the middle") << "cut/pkg.nvbin"
                                       << "下载异常: ";
    QTest::newRow("stall ended by the timeout") << "stall/pkg.nvbin"
                                                << "下载异常: 服务器长时间没有响应";
}

void TestDownload::download()
{
    QFETCH(QString, route);
    QFETCH(QString, message);

    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadTimeout, 1);
    placeOlderFile();
    const QStringList before = contents(QStringLiteral("target"));

    DownloadThread thread;
    const Run run = download(thread, server.url(route));
    if (message.isEmpty()) {
        QCOMPARE(run.errors, QStringList());
        QCOMPARE(run.successes, 1);
        QCOMPARE(run.progress.first(), 0);
        QCOMPARE(run.progress.last(), 100);
        QVERIFY(std::is_sorted(run.progress.cbegin(), run.progress.cend()));
        QFile file(QStringLiteral("target/") + kPackage);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), served());
        QCOMPARE(QDir(QStringLiteral("target")).count(), 3u); // the file, . and ..
        return;
    }
    QCOMPARE(run.errors.size(), 1);
    QVERIFY2(run.errors.first().startsWith(message), qPrintable(run.errors.first()));
    QCOMPARE(run.successes, 0);
    QCOMPARE(contents(QStringLiteral("target")), before);
}

void TestDownload::stopInTheMiddle_data()
{
    QTest::addColumn<bool>("killServer"); // instead of asking the worker to stop
    QTest::addColumn<QString>("message"); // the error's start; empty: none
    QTest::newRow("stop requested") << false << QString();
    QTest::newRow("server gone") << true << "下载异常: ";
}

void TestDownload::stopInTheMiddle()
{
    QFETCH(bool, killServer);
    QFETCH(QString, message);

    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());
    placeOlderFile();
    const QStringList before = contents(QStringLiteral("target"));

    DownloadThread thread;
    QSignalSpy progress(&thread, &DownloadThread::signalSetDownloadProgress);
    const Run run = download(thread, server.url("slow/pkg.nvbin?piece=1024&gap=20"), [&] {
        QTRY_VERIFY(progress.count() > 1);
        if (killServer)
            return server.stop();
        thread.requestStop();
        QVERIFY(!thread.isRunning());
    });
    QCOMPARE(run.errors.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(run.errors.first().startsWith(message), qPrintable(run.errors.first()));
    QCOMPARE(run.successes, 0);
    QCOMPARE(contents(QStringLiteral("target")), before);
}

void TestDownload::unsafeNameWritesNothing()
{
    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());
    QDir().mkdir(QStringLiteral("target"));
    const QStringList around = contents(QStringLiteral("."));
    const QString link = server.url("..%2F..%2Fpkg.nvbin");

    DownloadThread thread;
    const Run run = download(thread, link);
    QCOMPARE(run.errors, QStringList{"下载失败,链接中没有可用的文件名: " + link});
    QCOMPARE(contents(QStringLiteral("target")), QStringList());
    QCOMPARE(contents(QStringLiteral(".")), around);
}

// The network layer holds back the server instead of buffering the whole file.
void TestDownload::largeFileKeepsMemoryFlat()
{
    QFile large(QStringLiteral("www/large.nvbin"));
    QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(kLargeBytes)); // sparse
    large.close();
    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());

    const qint64 peakBefore = peakMemory();
    DownloadThread thread;
    const Run run = download(thread, server.url("large.nvbin"));
    const qint64 growth = peakMemory() - peakBefore;
    QFile::remove(large.fileName());

    QCOMPARE(run.errors, QStringList());
    QCOMPARE(run.successes, 1);
    QCOMPARE(QFileInfo(QStringLiteral("target/large.nvbin")).size(), kLargeBytes);
    QVERIFY2(growth < kMemoryGrowthLimit, qPrintable(QString::number(growth)));
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
