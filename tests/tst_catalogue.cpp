#include "devicetypemgr.h"
#include "httptestserver.h"
#include "simtestsupport.h"
#include "workerwatch.h"

#include <QtTest>

namespace {
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

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
} // namespace

// The catalogue of the maker's download page: how pages are read, that fetches
// add up, and that a failing or stalling server ends in the failure message.
class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void parse_data();
    void parse();
    void fetchesAddUp();
    void fetchFails_data();
    void fetchFails();

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

void TestCatalogue::parse_data()
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
    QTest::newRow("empty") << QByteArray() << false << QStringList();
}

void TestCatalogue::parse()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, ok);
    QFETCH(QStringList, entries);

    DeviceTypeMgr manager;
    QCOMPARE(manager.parseCatalogue(page, QUrl(QStringLiteral("http://host/files/down.html"))), ok);
    QCOMPARE(::entries(manager.catalogue()), entries);
}

// Entries of earlier fetches stay when the page no longer lists them.
void TestCatalogue::fetchesAddUp()
{
    HttpTestServer server(m_dir.path());
    QVERIFY(server.isRunning());
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl, server.baseUrl() + "/");
    DeviceTypeMgr manager;
    QSignalSpy finished(&manager, &DeviceTypeMgr::signalFinished);

    writeFile(QStringLiteral("down.html"), page(row("A", "/a1") + row("B", "/b1")));
    QCOMPARE(fetch(manager), QStringList());
    writeFile(QStringLiteral("down.html"), page(row("B", "/b2") + row("C", "/c2")));
    QCOMPARE(fetch(manager), QStringList());

    QCOMPARE(finished.count(), 2);
    QCOMPARE(entries(manager.catalogue()),
             (QStringList{"A=" + server.url("a1"), "B=" + server.url("b2"),
                          "C=" + server.url("c2")}));
    QFile::remove(QStringLiteral("down.html"));
}

void TestCatalogue::fetchFails_data()
{
    QTest::addColumn<QString>("route"); // put before /down.html
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("404") << "/missing" << page(row("A", "/a"));
    QTest::newRow("page cut in the middle") << "/cut" << page(row("A", "/a"));
    QTest::newRow("stall ended by the timeout") << "/stall" << page(row("A", "/a"));
    QTest::newRow("page beyond the size limit")
            << "" << page(QByteArray(DeviceTypeMgr::kMaxPageBytes, ' ') + row("A", "/a"));
    QTest::newRow("no server") << "closed" << page(row("A", "/a"));
}

void TestCatalogue::fetchFails()
{
    QFETCH(QString, route);
    QFETCH(QByteArray, page);

    HttpTestServer server(m_dir.path());
    QVERIFY(server.isRunning());
    writeFile(QStringLiteral("down.html"), page);
    const QString base = route == QLatin1String("closed") ? QStringLiteral("http://127.0.0.1:1")
                                                          : server.baseUrl() + route;
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadBaseUrl, base);
    singleton<Config>::instance()->setValue(SettingsKeys::kDownloadTimeout, 1);

    DeviceTypeMgr manager;
    QSignalSpy finished(&manager, &DeviceTypeMgr::signalFinished);
    QCOMPARE(fetch(manager), QStringList{kFailure});
    QCOMPARE(finished.count(), 0);
    QVERIFY(manager.catalogue().isEmpty());
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
