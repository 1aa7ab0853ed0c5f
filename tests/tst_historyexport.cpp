#include "historyexport.h"
#include "historypdf.h"
#include "historytable.h"
#include "historytablelayout.h"

#include <QtTest>

#include <QProcess>
#include <QTextCodec>
#include <QTextEdit>

#include <csignal>
#include <sys/resource.h>

namespace {
constexpr rlim_t kFullDiskBytes = 4096; // the most a file may grow to on the "full disk"

// Output of a poppler tool.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The non-empty table rows of one page as pdftotext lays them out.
QStringList pdfRows(const QString &fileName, int page)
{
    const QString number = QString::number(page);
    QString text = poppler("pdftotext", {"-layout", "-f", number, "-l", number, fileName, "-"});
    QStringList rows = text.remove(QLatin1Char('\f')).split(QLatin1Char('\n'));
    for (QString &row : rows)
        row = row.simplified();
    rows.removeAll(QString());
    return rows;
}

int pageCount(const QString &fileName)
{
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(poppler("pdfinfo", {fileName})).captured(1).toInt();
}
} // namespace

// How the history answer reads as a table and is laid out on pages, and the
// CSV and PDF exports on real files, the PDF read back with poppler.
class TestHistoryExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        signal(SIGXFSZ, SIG_IGN); // a write past the size limit fails instead of ending the test
    }
    void cleanup() { QTextCodec::setCodecForLocale(nullptr); }
    void table_data();
    void table();
    void layout_data();
    void layout();
    void csvBytes_data();
    void csvBytes();
    void pdfTable_data();
    void pdfTable();
    void failedExportKeepsOldFile_data();
    void failedExportKeepsOldFile();
    void viewText_data();
    void viewText();

private:
    QTemporaryDir m_dir;
};

void TestHistoryExport::table_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("rows"); // rowCells of every line, joined with '|'
    QTest::newRow("date and time share the first cell")
            << "时间,通道1,通道2\n2018-01-05 10:00:00,1.5,2.5\n"
            << 3 << QStringList{"时间|通道1|通道2", "2018-01-05 10:00:00|1.5|2.5"};
    QTest::newRow("doubled separators") << "a,,b  c" << 3 << QStringList{"a|b|c"};
    QTest::newRow("first two-field line sets the columns")
            << "a\nb\nc\n1 2 3 4 5\nx y z" << 5 << QStringList{"a", "b", "c", "1|2|3|4|5", "x|y|z"};
    QTest::newRow("joined again and again, short and blank lines")
            << "x,y,z\na b c d e\nq,r\n\nend" << 3
            << QStringList{"x|y|z", "a b c|d|e", "q|r", "", "end"};
    QTest::newRow("tabs, trailing and lone separators, CR LF") << "a\tb,c,\r\n ,, \r\n"
                                                               << 2 << QStringList{"a\tb|c", ""};
    QTest::newRow("a last line end adds no row") << "a b\n" << 2 << QStringList{"a|b"};
    QTest::newRow("no two-field line") << "a\nb" << 1 << QStringList{"a", "b"};
    QTest::newRow("empty") << "" << 0 << QStringList();
}

void TestHistoryExport::table()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(QStringList, rows);
    QCOMPARE(columnCount(text), columns);
    QStringList cells;
    for (const QString &line : textLines(text))
        cells << rowCells(line, columns).join(QLatin1Char('|'));
    QCOMPARE(cells, rows);
}

void TestHistoryExport::layout_data()
{
    // A page 1600 x 2400, font height 150, time stamp 800 wide, 3 columns:
    // margins 100, rows 200 high, first column 1000, the others 200, 11 rows a page.
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("rowsPerPage");
    QTest::addColumn<int>("pages");
    QTest::newRow("L = N + 1") << 2400 << 12 << 11 << 2;
    QTest::newRow("font taller than the page") << 300 << 3 << 1 << 3;
}

void TestHistoryExport::layout()
{
    QFETCH(int, height);
    QFETCH(int, lines);
    QFETCH(int, rowsPerPage);
    QFETCH(int, pages);
    const HistoryTableLayout table(1600, height, 150, 800, 3, lines);
    QCOMPARE(table.rowsPerPage(), rowsPerPage);
    QCOMPARE(table.pages(), pages);
    QCOMPARE(table.lineIndex(pages - 1, 0), (pages - 1) * rowsPerPage);
    const QList<int> gridLines{table.columnLeft(0), table.columnLeft(1), table.columnLeft(2),
                               table.columnLeft(3), table.right()};
    QCOMPARE(gridLines, (QList<int>{100, 1100, 1300, 1500, 1500}));
    QCOMPARE(table.textLeft(1, 50), 1175); // centred in its cell
    QCOMPARE(table.textLeft(0, 1200), 0);  // wider than its cell: sticks out on both sides
    QCOMPARE(table.baseline(2), 650);
}

void TestHistoryExport::csvBytes_data()
{
    QTest::addColumn<QByteArray>("codec"); // the system locale's
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8, unchanged") << QByteArray("UTF-8") << "时间, 温度\n1,,2\n"
                                      << QByteArray("时间, 温度\n1,,2\n");
    QTest::newRow("GB2312") << QByteArray("GB2312") << "时间\n"
                            << QByteArray::fromHex("CAB1BCE40A");
    QTest::newRow("empty view, empty file") << QByteArray("UTF-8") << "" << QByteArray();
}

void TestHistoryExport::csvBytes()
{
    QFETCH(QByteArray, codec);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
    QFile file(m_dir.filePath(QStringLiteral("bytes.csv")));
    // A longer older file is replaced, not overwritten in part.
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(100, 'x')) == 100);
    file.close();
    QCOMPARE(exportHistoryCsv(file.fileName(), text), QString());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TestHistoryExport::pdfTable_data()
{
    QTest::addColumn<int>("extraLines"); // beyond one page; -1: no line with two fields
    QTest::addColumn<int>("pages");
    QTest::newRow("L = N") << 0 << 1;
    QTest::newRow("L = N + 1") << 1 << 2;
    QTest::newRow("no table: one empty page") << -1 << 1;
}

void TestHistoryExport::pdfTable()
{
    QFETCH(int, extraLines);
    QFETCH(int, pages);
    const int rowsPerPage = historyPdfRowsPerPage();
    QVERIFY(rowsPerPage > 10);
    // The Chinese header, then records numbered from 1 with date and time in one cell.
    QString text = QStringLiteral("时间,通道1,通道2\n");
    QStringList expected{QStringLiteral("时间 通道1 通道2")};
    for (int n = 1; n < rowsPerPage + extraLines; ++n) {
        text += QStringLiteral("2018-01-05 10:00:00,%1,%1.5\n").arg(n);
        expected << QStringLiteral("2018-01-05 10:00:00 %1 %1.5").arg(n);
    }
    if (extraLines < 0) {
        text = QStringLiteral("时间\n1\n");
        expected.clear();
    }
    const QString fileName = m_dir.filePath(QStringLiteral("table.pdf"));

    QCOMPARE(exportHistoryPdf(fileName, text),
             extraLines < 0 ? QStringLiteral("导出数据失败，数据格式错误") : QString());
    QCOMPARE(pageCount(fileName), pages);
    QStringList shown;
    for (int page = 1; page <= pages; ++page) {
        const QStringList rows = pdfRows(fileName, page);
        // The next lines of the text in order, rowsPerPage of them but on the last page.
        QCOMPARE(rows, expected.mid((page - 1) * rowsPerPage, rowsPerPage));
        shown += rows;
    }
    QCOMPARE(shown, expected);
}

void TestHistoryExport::failedExportKeepsOldFile_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("name"); // in the test's folder, where old.csv and old.pdf exist
    QTest::addColumn<QString>("error");
    QTest::newRow("CSV on a full disk") << false << "old.csv"
                                        << "写入文件失败: %1";
    QTest::newRow("PDF on a full disk") << true << "old.pdf"
                                        << "写入文件失败: %1";
    QTest::newRow("below a file") << false << "old.csv/new.csv"
                                  << "打开文件失败: %1";
}

void TestHistoryExport::failedExportKeepsOldFile()
{
    QFETCH(bool, pdf);
    QFETCH(QString, name);
    QFETCH(QString, error);
    const QByteArray oldContent("an earlier export");
    const QStringList oldFiles{"old.csv", "old.pdf"};
    for (const QString &old : oldFiles) {
        QFile file(m_dir.filePath(old));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(oldContent) == oldContent.size());
    }
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    QString text;
    for (int n = 0; n < 2000; ++n)
        text += QStringLiteral("2018-01-05 10:00:00,%1,%1.5\n").arg(n);

    rlimit limit{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit normal = limit;
    limit.rlim_cur = kFullDiskBytes;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const QString fileName = m_dir.filePath(name);
    const QString result
            = pdf ? exportHistoryPdf(fileName, text) : exportHistoryCsv(fileName, text);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &normal), 0);

    QCOMPARE(result, error.arg(fileName));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before); // nothing left beside them
    for (const QString &old : oldFiles) {
        QFile file(m_dir.filePath(old));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), oldContent);
    }
}

void TestHistoryExport::viewText_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("CR LF, lone CR, LF") << QString("a,1\r\nb,2\rc,3\nd,4\r");
    QTest::newRow("blank lines of every kind") << QString("\r\n\r\r\n\n\n");
    QTest::newRow("separators and no-break space") << QString("a\u2029b\u2028c\u00A0d\tend");
}

// What the command line exports has to be what the dialog's view holds.
void TestHistoryExport::viewText()
{
    QFETCH(QString, answer);
    QTextEdit view;
    view.insertPlainText(answer);
    QCOMPARE(historyViewText(answer), view.toPlainText());
}

QTEST_MAIN(TestHistoryExport)
#include "tst_historyexport.moc"
