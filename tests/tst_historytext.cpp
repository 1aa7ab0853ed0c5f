#include "historyrequest.h"
#include "historytable.h"
#include "historytablelayout.h"
#include "historytextdecoder.h"

#include <QtTest>

#include <QTextCodec>

// The history request frame and how the answer text is decoded, read as a
// table and laid out on pages, without a port or a window.
class TestHistoryText : public QObject
{
    Q_OBJECT

private slots:
    void request_data();
    void request();
    void fields_data();
    void fields();
    void cells_data();
    void cells();
    void columns_data();
    void columns();
    void decoding_data();
    void decoding();
    void layout_data();
    void layout();
};

void TestHistoryText::request_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QByteArray>("start"); // the frame's first bytes, or all of it
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

void TestHistoryText::fields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("doubled comma and spaces") << "a,,b  c" << QStringList{"a", "b", "c"};
    QTest::newRow("record") << "2018-01-05 10:00:00,1.5,2.5"
                            << QStringList{"2018-01-05", "10:00:00", "1.5", "2.5"};
    QTest::newRow("tab is no separator") << "a\tb,c" << QStringList{"a\tb", "c"};
    QTest::newRow("trailing separators") << "时间,通道1, ," << QStringList{"时间", "通道1"};
    QTest::newRow("only separators") << " ,, " << QStringList();
    QTest::newRow("empty") << "" << QStringList();
}

void TestHistoryText::fields()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(splitFields(line), fields);
}

void TestHistoryText::cells_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("date and time share a cell") << "2018-01-05 10:00:00,1.5,2.5" << 3
                                                << QStringList{"2018-01-05 10:00:00", "1.5", "2.5"};
    QTest::newRow("joined again and again") << "a b c d e" << 3 << QStringList{"a b c", "d", "e"};
    QTest::newRow("fewer fields than columns") << "x,y" << 4 << QStringList{"x", "y"};
    QTest::newRow("blank line") << "" << 3 << QStringList();
    QTest::newRow("one column") << "a,b,c" << 1 << QStringList{"a b c"};
    QTest::newRow("no columns ends too") << "a b" << 0 << QStringList{"a b"};
}

void TestHistoryText::cells()
{
    QFETCH(QString, line);
    QFETCH(int, columns);
    QFETCH(QStringList, cells);
    QCOMPARE(rowCells(line, columns), cells);
}

void TestHistoryText::columns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lines");
    QTest::newRow("header and record") << "时间,通道1,通道2\n2018-01-05 10:00:00,1.5,2.5\n"
                                       << 3 << 2;
    QTest::newRow("first two-field line counts") << "a\nb\nc\n1 2 3 4 5\nx,y" << 5 << 5;
    QTest::newRow("CR LF line ends") << "x\r\na,b\r\n" << 2 << 2;
    QTest::newRow("single fields only") << "a\nb\n" << 1 << 2;
    QTest::newRow("separators only") << ", ,\n" << 0 << 1;
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("blank lines kept") << "a\n\nb" << 1 << 3;
}

void TestHistoryText::columns()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(int, lines);
    QCOMPARE(columnCount(text), count);
    QCOMPARE(textLines(text).size(), lines);
}

void TestHistoryText::decoding_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QStringList>("pieces"); // decode of each chunk, then finish
    const QByteArray header = QTextCodec::codecForName("gb2312")->fromUnicode("时间,温度\r\n");
    QTest::newRow("character split between chunks")
            << QList<QByteArray>{header.left(3), header.mid(3)}
            << QStringList{"时", "间,温度\r\n", ""};
    QTest::newRow("CR LF split between chunks")
            << QList<QByteArray>{"a\r", "\nb"} << QStringList{"a", "\r\nb", ""};
    QTest::newRow("lone CR mid-chunk") << QList<QByteArray>{"a\rb"} << QStringList{"a\rb", ""};
    QTest::newRow("CR at the very end") << QList<QByteArray>{"a\r"} << QStringList{"a", "\r"};
}

void TestHistoryText::decoding()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, pieces);
    HistoryTextDecoder decoder;
    QStringList decoded;
    for (const QByteArray &chunk : chunks)
        decoded << decoder.decode(chunk);
    decoded << decoder.finish();
    QCOMPARE(decoded, pieces);
}

void TestHistoryText::layout_data()
{
    // A page 1600 x 2400, font height 150, time stamp 800 wide, 3 columns:
    // margin 100, rows 200 high, first column 1000, the others 200, 11 rows a page.
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("rowsPerPage");
    QTest::addColumn<int>("pages");
    QTest::newRow("L = N") << 2400 << 11 << 11 << 1;
    QTest::newRow("L = N + 1") << 2400 << 12 << 11 << 2;
    QTest::newRow("one line") << 2400 << 1 << 11 << 1;
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
    QCOMPARE(table.textLeft(0, 1200), 0);  // wider than its cell: sticks out both sides
    QCOMPARE(table.baseline(2), 650);
}

QTEST_GUILESS_MAIN(TestHistoryText)
#include "tst_historytext.moc"
