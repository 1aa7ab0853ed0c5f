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
constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kLargeBytes = DownloadThread::kDefaultMaxSizeMiB * kMiB;
constexpr qint64 kMemoryGrowthLimit = 48 * kMiB;

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
// server: pages read, links that are no packages left out, fetches that add up,
// failing or hostile servers failing; a file kept only whole and only where it
// may be, names that stay in the directory, a large file not held in memory.
class TestDownload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        QDir().mkdir(QStringLiteral("www"));
        QVERIFY(SimTest::writeFile(QStringLiteral("www/") + kPackage, served()));
        QVERIFY(SimTest::writeFile(QStringLiteral("www/big.nvbin"), QByteArray(kMiB + 1, 'x')));
    }
    void cleanup()
    {
        SimTest::resetSettings();
        QDir(QStringLiteral("target")).removeRecursively();
    }
    void parse_data();
    void parse();
    void fetches_data();
    void fetches();
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
    QTest::addColumn<QStringList>("entries"); // none: the page is refused
    const auto add = [](const char *tag, const QByteArray &page, const QStringList &entries) {
        QTest::newRow(tag) << page << entries;
    };
    add("rows of any tag, names of nested text, sorted",
        page(row("\n  <b>NV</b>-200 <i>A</i>\t", "  https://h/b.nvbin \n")
             + "<p><div>NV-100</div><div><a href=\"a.nvbin\">x</a></div></p>"),
        {"NV-100=https://host/files/a.nvbin", "NV-200 A=https://h/b.nvbin"});
    add("only the heading", page(""), {});
    add("same name twice, the later link wins",
        page(row("NV-100", "https://h/1.nvbin") + row("NV-100", "/2.nvbin")),
        {"NV-100=https://host/2.nvbin"});
    add("row without a link", page("<div><div>NV-100</div><div>no link</div></div>"), {"NV-100="});
    add("links that are no https package left out",
        page(row("A", "config.ini") + row("B", "file:///etc/b.nvbin") + row("C", ".c.nvbin")
             + row("D", "http://h/d.nvbin") + row("E", "ftp://h/e.nvbin") + row("F", "F.NVBIN")),
        {"F=https://host/files/F.NVBIN"});
    add("root not html", QByteArray(page(row("A", "a.nvbin")).replace("html", "HTML")), {});
    add("not well-formed", page(row("A", "a.nvbin")).replace("</body>", ""), {});
}

// The page is an https one: its links are taken over https only.
void TestDownload::parse()
{
    QFETCH(QByteArray, page);
    QFETCH(QStringList, entries);

    DeviceTypeMgr manager;
    QCOMPARE(manager.parseCatalogue(page, QUrl(QStringLiteral("https://host/files/down.html"))),
             !entries.isEmpty());
    QCOMPARE(::entries(manager.catalogue()), entries);
}

void TestDownload::fetches_data()
{
    QTest::addColumn<QString>("route");        // put before /down.html
    QTest::addColumn<QByteArrayList>("pages"); // served to one fetch after another
    QTest::addColumn<QStringList>("entries");  // after the last; none: the fetches failed
    // Entries of earlier fetches stay when the page no longer lists them.
    QTest::newRow("fetches add up")
            << ""
            << QByteArrayList{page(row("A", "/a1.nvbin") + row("B", "/b1.nvbin")),
                              page(row("B", "/b2.nvbin") + row("C", "/c2.nvbin"))}
            << QStringList{"A=/a1.nvbin", "B=/b2.nvbin", "C=/c2.nvbin"};
    const auto fails = [](const char *tag, const char *route, const QByteArray &rows) {
        QTest::newRow(tag) << route << QByteArrayList{page(rows)} << QStringList();
    };
    fails("404", "/missing", row("A", "/a.nvbin"));
    fails("stall ended by the timeout", "/stall", row("A", "/a.nvbin"));
    fails("page beyond the size limit", "",
          QByteArray(DeviceTypeMgr::kMaxPageBytes, ' ') + row("A", "/a.nvbin"));
    const QByteArray deep = QByteArray("<b>").repeated(90000) + QByteArray("</b>").repeated(90000);
    fails("90 000 nested elements", "", row(deep, "/a.nvbin"));
}

void TestDownload::fetches()
{
    QFETCH(QString, route);
    QFETCH(QByteArrayList, pages);
    QFETCH(QStringList, entries);

    HttpTestServer server(m_dir.path());
    QVERIFY(server.isRunning());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl,
                                            server.baseUrl() + route + '/');
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadTimeout, 1);
    DeviceTypeMgr manager;
    QSignalSpy finished(&manager, &DeviceTypeMgr::signalFinished);
    for (const QByteArray &page : pages) {
        QVERIFY(SimTest::writeFile(QStringLiteral("down.html"), page));
        QCOMPARE(fetch(manager),
                 entries.isEmpty() ? QStringList{QStringLiteral("获取设备列表失败,请重试!")}
                                   : QStringList());
    }
    QCOMPARE(finished.count(), entries.isEmpty() ? 0 : pages.size()); // only a fetch taken
    for (QString &entry : entries)
        entry.replace(QLatin1String("=/"), QLatin1Char('=') + server.baseUrl() + '/');
    QCOMPARE(::entries(manager.catalogue()), entries);
}

// Certificates are checked unless the settings switch it off.
void TestDownload::certificateChecking()
{
    const QUrl url(QStringLiteral("https://h/a.nvbin"));
    QVERIFY(HttpTransfer::request(url).sslConfiguration().peerVerifyMode()
            != QSslSocket::VerifyNone);
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadCheckCertificates, "false");
    QCOMPARE(HttpTransfer::request(url).sslConfiguration().peerVerifyMode(),
             QSslSocket::VerifyNone);
}

void TestDownload::fileName_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("name"); // empty: refused
    const auto row = [](const char *tag, const char *link, const char *name) {
        QTest::newRow(tag) << QString::fromLatin1(link) << QString::fromLatin1(name);
    };
    row("encoded blanks trimmed, query dropped", "https://h/%20NV%20100.NVBIN%20?v=2",
        "NV 100.NVBIN");
    row("encoded slashes", "http://h/..%2F..%2Fx.nvbin", "");
    row("backslash", "http://h/dir\\x.nvbin", "");
    row("drive colon", "http://h/C:x.nvbin", "");
    row("encoded zero byte", "http://h/x%00.nvbin", "");
}

void TestDownload::fileName()
{
    QFETCH(QString, link);
    QFETCH(QString, name);
    QCOMPARE(DownloadThread::fileNameFromLink(link), name);
}

// Under the package's name the target directory holds an older file, to be
// kept or replaced, or a link to one; a replacing download may be stopped.
enum Start { Keeping, Replacing, LinkInPlace, StoppedReplacing };

void TestDownload::download_data()
{
    QTest::addColumn<QString>("route"); // path on the server, or a whole link
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("message"); // the error's start; empty: none
    const auto row
            = [](const char *tag, const char *route, const char *message, Start start = Replacing) {
                  QTest::newRow(tag)
                          << QString::fromLatin1(route) << int(start) << QString::fromUtf8(message);
              };
    row("complete", "pkg.nvbin", "");
    row("server compressing when asked", "gzip/pkg.nvbin", "");
    row("older file not to be replaced", "pkg.nvbin", "下载失败,文件已存在: ", Keeping);
    row("symbolic link under the name", "pkg.nvbin", "下载失败,目标是一个符号链接: ", LinkInPlace);
    row("no Content-Length", "nolength/pkg.nvbin", "下载异常: 未找到该文件或下载失败");
    row("error status with a long body", "error/pkg.nvbin", "下载异常: 服务器回答 HTTP 500");
    row("cut in the middle", "cut/pkg.nvbin", "下载异常: ");
    row("trickle ended by the timeout", "slow/pkg.nvbin?piece=100&gap=200",
        "下载异常: 服务器长时间没有响应");
    row("stop requested", "slow/pkg.nvbin?piece=1024&gap=20", "", StoppedReplacing);
    row("announced length over the limit", "big.nvbin", "下载异常: 文件超过 1 MiB");
    row("unannounced length over the limit", "nolength/big.nvbin", "下载异常: 文件超过 1 MiB");
    row("local file link", "file:///etc/hostname",
        "下载失败,只能下载 http 或 https 链接上的 .nvbin 文件: ");
}

// The target directory holds an older pkg.nvbin (or a link to one): replaced
// only by a whole download that may replace it.
void TestDownload::download()
{
    QFETCH(QString, route);
    QFETCH(int, start);
    const bool stop = start == StoppedReplacing;
    QFETCH(QString, message);

    HttpTestServer server(QStringLiteral("www"));
    QVERIFY(server.isRunning());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadTimeout, 1);
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadMaxSize, 1);
    QDir().mkdir(QStringLiteral("target"));
    QVERIFY(SimTest::writeFile(QStringLiteral("older"), kOlder));
    QVERIFY(start == LinkInPlace
                    ? QFile::link(QStringLiteral("../older"), QStringLiteral("target/") + kPackage)
                    : QFile::copy(QStringLiteral("older"), QStringLiteral("target/") + kPackage));
    const QStringList before = contents(QStringLiteral("target"));

    DownloadThread thread;
    QSignalSpy errors(&thread, &DownloadThread::signalShowErrorMessage);
    QSignalSpy progress(&thread, &DownloadThread::signalSetDownloadProgress);
    QSignalSpy successes(&thread, &DownloadThread::signalDownloadSucceed);
    WorkerWatch watch(thread);
    thread.startDownload(route.contains("://") ? route : server.url(route),
                         QStringLiteral("target"), start != Keeping);
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
        QCOMPARE(contents(QStringLiteral("target")), before);
        return;
    }
    QCOMPARE(successes.count(), 1);
    QList<int> percents;
    for (const QList<QVariant> &signal : progress)
        percents << signal.at(0).toInt();
    QCOMPARE((QList<int>{percents.first(), percents.last()}), (QList<int>{0, 100}));
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
    DownloadThread thread; // at the default size bound
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
