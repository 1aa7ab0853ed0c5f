#include "devicetypemgr.h"
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

// Every entry of the directory, hidden ones included, with a hash of its content.
QStringList contents(const QString &directory)
{
    QStringList list;
    const QDir dir(directory);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        list << name + '=' + QString::number(qHash(SimTest::fileBytes(dir.filePath(name))));
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

const QString kFailure = QStringLiteral("获取设备列表失败,请重试!");

// A catalogue page: the list's heading row, then the given rows.
QByteArray page(const QByteArray &rows)
{
    return "<html><head><title>下载</title></head><body><div>"
           "<div><div>名称</div><div>下载</div></div>"
            + rows + "</div></body></html>";
}

QByteArray row(const QByteArray &name, const QByteArray &link)
{
    return "<div><div>" + name + "</div><div>V1</div><div><a href=\"" + link
            + "\">下载</a></div></div>";
}

// "name=link" for each entry, in the catalogue's order.
QStringList entries(const QMap<QString, QString> &catalogue)
{
    QStringList list;
    for (auto entry = catalogue.cbegin(); entry != catalogue.cend(); ++entry)
        list << entry.key() + QLatin1Char('=') + entry.value();
    return list;
}
} // namespace

// The catalogue of the maker's download page and downloads against the local
// server: pages read, fetches that add up, failing or stalling servers ending
// in the failure message; a file kept only whole, a failure or a stop leaving
// the directory as it was, names from links that cannot leave the directory,
// and a large file passing through without being held in memory.
class TestDownload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        QDir().mkdir(QStringLiteral("www"));
        QVERIFY(SimTest::writeFile(QStringLiteral("www/") + kPackage, served()));
    }
    void cleanup()
    {
        SimTest::resetSettings();
        QDir(QStringLiteral("target")).removeRecursively();
    }
    void parse_data();
    void parse();
    void fetchesAddUp();
    void fetchFails_data();
    void fetchFails();
    void certificateChecking_data();
    void certificateChecking();
    void fileName_data();
    void fileName();
    void download_data();
    void download();
    void largeFileKeepsMemoryFlat();

private:
    // Fetches once; returns the error messages.
    static QStringList fetch(DeviceTypeMgr &manager)
    {
        QSignalSpy errors(&manager, &DeviceTypeMgr::signalShowErrorMessage);
        WorkerWatch watch(manager);
        manager.start();
        watch.waitForEnd(20000);
        QStringList texts;
        for (const QList<QVariant> &signal : errors)
            texts << signal.at(0).toString();
        return texts;
    }

    QTemporaryDir m_dir;
};

void TestDownload::parse_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("two rows, sorted by name")
            << page(row("NV-200", "http://h/b.nvbin") + row("NV-100", "http://h/a.nvbin")) << true
            << QStringList{"NV-100=http://h/a.nvbin", "NV-200=http://h/b.nvbin"};
    QTest::newRow("only the heading") << page("") << false << QStringList();
    QTest::newRow("same name twice, the later link wins")
            << page(row("NV-100", "http://h/1") + row("NV-100", "http://h/2")) << true
            << QStringList{"NV-100=http://h/2"};
    QTest::newRow("row without a link") << page("<div><div>NV-100</div><div>no link</div></div>")
                                        << true << QStringList{"NV-100="};
    QTest::newRow("white space and nested text")
            << page(row("\n  <b>NV</b>-100 <i>A</i>\t", "  http://h/a.nvbin \n")) << true
            << QStringList{"NV-100 A=http://h/a.nvbin"};
    QTest::newRow("rows of any tag")
            << page("<p><div>NV-7</div><div><a href=\"http://h/7\">x</a></div></p>") << true
            << QStringList{"NV-7=http://h/7"};
    QTest::newRow("relative links taken from the page")
            << page(row("A", "a.nvbin") + row("B", "/b.nvbin")) << true
            << QStringList{"A=http://host/files/a.nvbin", "B=http://host/b.nvbin"};
    QTest::newRow("root not html")
            << QByteArray(page(row("A", "a")).replace("html", "HTML")) << false << QStringList();
    QTest::newRow("not well-formed")
            << page(row("A", "a")).replace("</body>", "") << false << QStringList();
}

void TestDownload::parse()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, ok);
    QFETCH(QStringList, entries);

    DeviceTypeMgr manager;
    QCOMPARE(manager.parseCatalogue(page, QUrl(QStringLiteral("http://host/files/down.html"))), ok);
    QCOMPARE(::entries(manager.catalogue()), entries);
}

// Entries of earlier fetches stay when the page no longer lists them.
void TestDownload::fetchesAddUp()
{
    HttpTestServer server(m_dir.path());
    QVERIFY(server.isRunning());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl, server.baseUrl() + "/");
    DeviceTypeMgr manager;
    QSignalSpy finished(&manager, &DeviceTypeMgr::signalFinished);

    QVERIFY(SimTest::writeFile(QStringLiteral("down.html"),
                               page(row("A", "/a1") + row("B", "/b1"))));
    QCOMPARE(fetch(manager), QStringList());
    QVERIFY(SimTest::writeFile(QStringLiteral("down.html"),
                               page(row("B", "/b2") + row("C", "/c2"))));
    QCOMPARE(fetch(manager), QStringList());

    QCOMPARE(finished.count(), 2);
    QCOMPARE(entries(manager.catalogue()),
             (QStringList{"A=" + server.url("a1"), "B=" + server.url("b2"),
                          "C=" + server.url("c2")}));
    QFile::remove(QStringLiteral("down.html"));
}

void TestDownload::fetchFails_data()
{
    QTest::addColumn<QString>("route"); // put before /down.html
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("404") << "/missing" << page(row("A", "/a"));
    QTest::newRow("page cut in the middle") << "/cut" << page(row("A", "/a"));
    QTest::newRow("stall ended by the timeout") << "/stall" << page(row("A", "/a"));
    QTest::newRow("page beyond the size limit")
            << "" << page(QByteArray(DeviceTypeMgr::kMaxPageBytes, ' ') + row("A", "/a"));
}

void TestDownload::fetchFails()
{
    QFETCH(QString, route);
    QFETCH(QByteArray, page);

    HttpTestServer server(m_dir.path());
    QVERIFY(server.isRunning());
    QVERIFY(SimTest::writeFile(QStringLiteral("down.html"), page));
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl,
                                            server.baseUrl() + route);
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadTimeout, 1);

    DeviceTypeMgr manager;
    QSignalSpy finished(&manager, &DeviceTypeMgr::signalFinished);
    QCOMPARE(fetch(manager), QStringList{kFailure});
    QCOMPARE(finished.count(), 0);
    QVERIFY(manager.catalogue().isEmpty());
}

void TestDownload::certificateChecking_data()
{
    QTest::addColumn<QVariant>("setting");
    QTest::addColumn<bool>("checked");
    QTest::newRow("absent") << QVariant() << true;
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
    const auto row = [](const char *tag, const char *link, const char *name) {
        QTest::newRow(tag) << QString::fromLatin1(link) << QString::fromLatin1(name);
    };
    row("plain", "http://h/files/NV-100.nvbin", "NV-100.nvbin");
    row("encoded blank, query dropped", "http://h/NV%20100.nvbin?v=2", "NV 100.nvbin");
    row("surrounding blanks trimmed", "http://h/%20x.nvbin%20", "x.nvbin");
    row("encoded slashes", "http://h/..%2F..%2Fx.nvbin", "");
    row("backslash", "http://h/dir\\x.nvbin", "");
    row("empty last segment", "http://h/files/", "");
    row("encoded dot-dot", "http://h/files/%2E%2E", "");
    row("drive colon", "http://h/C:x.nvbin", "");
    row("encoded zero byte", "http://h/x.nvbin%00.txt", "");
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
    QTest::addColumn<bool>("stop");       // once the download is under way
    QTest::addColumn<QString>("message"); // the error's start; empty: none
    const auto row = [](const char *tag, const char *route, bool stop, const char *message) {
        QTest::newRow(tag) << QString::fromLatin1(route) << stop << QString::fromUtf8(message);
    };
    row("complete", "pkg.nvbin", false, "");
    row("no Content-Length", "nolength/pkg.nvbin", false, "下载异常: 未找到该文件或下载失败");
    row("404", "none.nvbin", false, "下载异常: Error transferring");
    row("cut in the middle", "cut/pkg.nvbin", false, "下载异常: ");
    row("stall ended by the timeout", "stall/pkg.nvbin", false, "下载异常: 服务器长时间没有响应");
    row("stop requested", "slow/pkg.nvbin?piece=1024&gap=20", true, "");
    row("unsafe name from the link", "..%2F..%2Fpkg.nvbin", false,
        "下载失败,链接中没有可用的文件名: ");
}

// The target directory holds an older pkg.nvbin: replaced only by a whole download.
void TestDownload::download()
{
    QFETCH(QString, route);
    QFETCH(bool, stop);
    QFETCH(QString, message);

    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadTimeout, 1);
    QDir().mkdir(QStringLiteral("target"));
    QVERIFY(SimTest::writeFile(QStringLiteral("target/") + kPackage, kOlder));
    const QStringList before = contents(QStringLiteral("target"));

    DownloadThread thread;
    QSignalSpy errors(&thread, &DownloadThread::signalShowErrorMessage);
    QSignalSpy progress(&thread, &DownloadThread::signalSetDownloadProgress);
    QSignalSpy successes(&thread, &DownloadThread::signalDownloadSucceed);
    WorkerWatch watch(thread);
    thread.startDownload(server.url(route), QStringLiteral("target"));
    if (stop) {
        QTRY_VERIFY(progress.count() > 1);
        thread.requestStop();
        QVERIFY(!thread.isRunning());
    }
    QVERIFY(watch.waitForEnd(60000));

    QCOMPARE(errors.count(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(errors.at(0).at(0).toString().startsWith(message),
                 qPrintable(errors.at(0).at(0).toString()));
    if (!message.isEmpty() || stop) {
        QCOMPARE(successes.count(), 0);
        QCOMPARE(contents(QStringLiteral("target")), before);
        return;
    }
    QCOMPARE(successes.count(), 1);
    QList<int> percents;
    for (const QList<QVariant> &signal : progress)
        percents << signal.at(0).toInt();
    QCOMPARE(percents.first(), 0);
    QCOMPARE(percents.last(), 100);
    QVERIFY(std::is_sorted(percents.cbegin(), percents.cend()));
    QCOMPARE(SimTest::fileBytes(QStringLiteral("target/") + kPackage), served());
    QCOMPARE(QDir(QStringLiteral("target")).count(), 3u); // the file, . and ..
}

// The network layer holds back the server instead of buffering the whole file.
void TestDownload::largeFileKeepsMemoryFlat()
{
#ifdef NORVO_SANITIZED
    QSKIP("AddressSanitizer keeps freed blocks in quarantine, so the peak tells nothing here");
#endif
    QFile large(QStringLiteral("www/large.nvbin"));
    QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(kLargeBytes)); // sparse
    large.close();
    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());

    const qint64 peakBefore = peakMemory();
    DownloadThread thread;
    QSignalSpy errors(&thread, &DownloadThread::signalShowErrorMessage);
    WorkerWatch watch(thread);
    thread.startDownload(server.url("large.nvbin"), QStringLiteral("target"));
    QVERIFY(watch.waitForEnd(60000));
    const qint64 growth = peakMemory() - peakBefore;
    QFile::remove(large.fileName());

    QCOMPARE(errors.count(), 0);
    QCOMPARE(QFileInfo(QStringLiteral("target/large.nvbin")).size(), kLargeBytes);
    QVERIFY2(growth < kMemoryGrowthLimit, qPrintable(QString::number(growth)));
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
