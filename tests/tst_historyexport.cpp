#include "historyexport.h"
#include "historypdf.h"

#include <QtTest>

#include <QFontDatabase>
#include <QProcess>
#include <QTextCodec>

#include <csignal>
#include <sys/resource.h>

namespace {
constexpr int kToolTimeoutMs = 30000;
constexpr rlim_t kFullDiskBytes = 4096; // the file system takes no more than this
const QString kHeader = QStringLiteral("时间,通道1,通道2");

enum class Format { Csv, Pdf };

QString exportAs(Format format, const QString &fileName, const QString &text)
{
    return format == Format::Csv ? exportHistoryCsv(fileName, text)
                                 : exportHistoryPdf(fileName, text);
}

// Output of a poppler tool, empty when it fails.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(kToolTimeoutMs) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString &fileName)
{
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(poppler(QStringLiteral("pdfinfo"), {fileName})).captured(1).toInt();
}

// The table rows of one page as pdftotext lays them out, empty rows left out.
QStringList pdfRows(const QString &fileName, int page)
{
    const QString number = QString::number(page);
    const QString text = poppler(QStringLiteral("pdftotext"),
                                 {"-layout", "-f", number, "-l", number, fileName, "-"});
    QStringList rows;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString row = line.simplified().remove(QLatin1Char('\f'));
        if (!row.isEmpty())
            rows << row;
    }
    return rows;
}

// A header and records numbered from 1: "2018-01-05 10:00:00,<n>,<n>.5".
QString records(int count)
{
    QString text = kHeader + QLatin1Char('\n');
    for (int n = 1; n <= count; ++n)
        text += QStringLiteral("2018-01-05 10:00:00,%1,%1.5\n").arg(n);
    return text;
}

QString recordRow(int n)
{
    return QStringLiteral("2018-01-05 10:00:00 %1 %1.5").arg(n);
}
} // namespace

Q_DECLARE_METATYPE(Format)

// The CSV and PDF exports on real files, the PDF read back with poppler.
class TestHistoryExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        signal(SIGXFSZ, SIG_IGN); // an over-long write fails instead of ending the test
    }
    void cleanup() { QTextCodec::setCodecForLocale(nullptr); }
    void csvBytes_data();
    void csvBytes();
    void pdfPages_data();
    void pdfPages();
    void pdfWithoutTable();
    void failedExportKeepsOldFile_data();
    void failedExportKeepsOldFile();
    void chineseFont_data();
    void chineseFont();

private:
    QTemporaryDir m_dir;
};

void TestHistoryExport::csvBytes_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 locale, unchanged")
            << QByteArray("UTF-8") << "时间, 温度\n1,,2\n"
            << QByteArray("\xE6\x97\xB6\xE9\x97\xB4, \xE6\xB8\xA9\xE5\xBA\xA6\n1,,2\n");
    QTest::newRow("GB2312 locale") << QByteArray("GB2312") << "时间\n"
                                   << QByteArray::fromHex("CAB1BCE4 0A");
    QTest::newRow("empty view, empty file") << QByteArray("UTF-8") << "" << QByteArray();
}

void TestHistoryExport::csvBytes()
{
    QFETCH(QByteArray, codec);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
    const QString fileName = m_dir.filePath(QStringLiteral("bytes.csv"));
    QFile old(fileName); // a longer older file is replaced, not overwritten in part
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(100, 'x')) == 100);
    old.close();

    QCOMPARE(exportHistoryCsv(fileName, text), QString());
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TestHistoryExport::pdfPages_data()
{
    QTest::addColumn<int>("extraLines"); // beyond one page of N rows
    QTest::addColumn<int>("pages");
    QTest::newRow("L = N") << 0 << 1;
    QTest::newRow("L = N + 1") << 1 << 2;
}

void TestHistoryExport::pdfPages()
{
    QFETCH(int, extraLines);
    QFETCH(int, pages);
    const int rowsPerPage = historyPdfRowsPerPage();
    QVERIFY(rowsPerPage > 10);
    const int recordCount = rowsPerPage - 1 + extraLines; // the header takes one row
    const QString fileName = m_dir.filePath(QStringLiteral("pages.pdf"));

    QCOMPARE(exportHistoryPdf(fileName, records(recordCount)), QString());
    QCOMPARE(pageCount(fileName), pages);
    QStringList expected{QStringLiteral("时间 通道1 通道2")};
    for (int n = 1; n <= recordCount; ++n)
        expected << recordRow(n);
    QStringList shown;
    for (int page = 1; page <= pages; ++page) {
        const QStringList rows = pdfRows(fileName, page);
        // Each page holds the next lines of the text in order, N of them except on the last.
        QCOMPARE(rows, expected.mid((page - 1) * rowsPerPage, rowsPerPage));
        shown += rows;
    }
    QCOMPARE(shown.size(), expected.size());
}

void TestHistoryExport::pdfWithoutTable()
{
    const QString fileName = m_dir.filePath(QStringLiteral("single.pdf"));
    QCOMPARE(exportHistoryPdf(fileName, QStringLiteral("a\nb\n")),
             QStringLiteral("导出数据失败，数据格式错误"));
    QCOMPARE(pageCount(fileName), 1);
    QCOMPARE(pdfRows(fileName, 1), QStringList());
}

void TestHistoryExport::failedExportKeepsOldFile_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("name"); // in the test's directory
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("error"); // %1: the file's path
    QTest::newRow("CSV on a full disk") << Format::Csv << "old.csv" << true << "写入文件失败: %1";
    QTest::newRow("PDF on a full disk") << Format::Pdf << "old.pdf" << true << "写入文件失败: %1";
    QTest::newRow("CSV below a file")
            << Format::Csv << "old.csv/new.csv" << false << "打开文件失败: %1";
    QTest::newRow("PDF in a missing folder")
            << Format::Pdf << "missing/new.pdf" << false << "打开文件失败: %1";
}

void TestHistoryExport::failedExportKeepsOldFile()
{
    QFETCH(Format, format);
    QFETCH(QString, name);
    QFETCH(bool, fullDisk);
    QFETCH(QString, error);
    const QString fileName = m_dir.filePath(name);
    const QString oldName = m_dir.filePath(name.section(QLatin1Char('/'), 0, 0));
    const QByteArray oldContent("an earlier export");
    if (!name.startsWith(QLatin1String("missing"))) {
        QFile old(oldName);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldContent) == oldContent.size());
    }
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs);

    rlimit limit{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit normal = limit;
    if (fullDisk) {
        limit.rlim_cur = kFullDiskBytes;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    const QString result = exportAs(format, fileName, records(2000));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &normal), 0);

    QCOMPARE(result, error.arg(fileName));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs), before); // nothing left behind
    QFile old(oldName);
    if (old.open(QIODevice::ReadOnly))
        QCOMPARE(old.readAll(), oldContent);
    QFile::remove(oldName);
}

void TestHistoryExport::chineseFont_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("Latin font") << "DejaVu Sans";
    QTest::newRow("Chinese font") << "WenQuanYi Zen Hei";
}

void TestHistoryExport::chineseFont()
{
    QFETCH(QString, family);
    const QFontDatabase database;
    if (!database.hasFamily(family) || !database.hasFamily(QStringLiteral("WenQuanYi Zen Hei")))
        QSKIP("the fonts the set-up scripts install are missing");
    QFont base(family, 9);
    const QFont font = historyPdfFont(base);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("WenQuanYi Zen Hei"));
    QCOMPARE(font.pointSize(), 9);
}

QTEST_MAIN(TestHistoryExport)
#include "tst_historyexport.moc"
