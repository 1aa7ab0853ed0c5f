#include "historyrequest.h"
#include "historytable.h"
#include "historytablelayout.h"

#include <QtTest>

// The history request frame, and how the answer reads as a table and is laid
// out on pages, without a port or a window.
class TestHistoryText : public QObject
{
    Q_OBJECT

private slots:
    void request_data();
    void request();
    void table_data();
    void table();
    void layout_data();
    void layout();
};

void TestHistoryText::request_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QByteArray>("start"); // the frame's first bytes, or all 19
    QTest::newRow("5 January to 10 February 2018")
            << QDate(2018, 1, 5) << QDate(2018, 2, 10)
            << QByteArray::fromHex("7E05024E9F0007910004 120105 12020A FAAC 7F");
    QTest::newRow("one day") << QDate(2018, 3, 1) << QDate(2018, 3, 1)
                             << QByteArray::fromHex("7E05024E9F0007910004 120301 120301 5D94 7F");
    QTest::newRow("2000 and 2099 without the century")
            << QDate(2000, 1, 1) << QDate(2099, 12, 31)
            << QByteArray::fromHex("7E05024E9F0007910004 000101 630C1F");
}

void TestHistoryText::request()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QByteArray, start);
    const QByteArray frame = makeHistoryRequest(first, last);
    QCOMPARE(frame.size(), 19);
    QCOMPARE(frame.left(start.size()).toHex(' '), start.toHex(' '));
    QCOMPARE(frame.at(18), char(0x7F));
}

void TestHistoryText::table_data()
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

void TestHistoryText::table()
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

void TestHistoryText::layout_data()
{
    // A page 1600 x 2400, font height 150, time stamp 800 wide, 3 columns:
    // margins 100, rows 200 high, first column 1000, the others 200, 11 rows a page.
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("rowsPerPage");
    QTest::addColumn<int>("pages");
    QTest::newRow("L = N") << 2400 << 11 << 11 << 1;
    QTest::newRow("L = N + 1") << 2400 << 12 << 11 << 2;
    QTest::newRow("font taller than the page") << 300 << 3 << 1 << 3;
}

void TestHistoryText::layout()
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

QTEST_GUILESS_MAIN(TestHistoryText)
#include "tst_historytext.moc"
