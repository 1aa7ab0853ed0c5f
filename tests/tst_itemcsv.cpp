#include "itemcsv.h"

#include <QtTest>

#include <QTextCodec>

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// "number|field|field" per record, for compact expectations.
QStringList describe(const QVector<ItemRecord> &records)
{
    QStringList lines;
    for (const ItemRecord &record : records)
        lines << QString::number(record.item) + '|' + record.fields.join('|');
    return lines;
}
} // namespace

// The item file: its exact bytes on export, and what an import makes of a file.
class TestItemCsv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // A Chinese Windows machine's own encoding, so files without a BOM are not read as UTF-8.
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GBK"));
    }
    void cleanupTestCase() { QTextCodec::setCodecForLocale(nullptr); }
    void exportAndReadBack();
    void import_data();
    void import();
    void fileErrors();

private:
    QTemporaryDir m_dir;
};

void TestItemCsv::exportAndReadBack()
{
    const QString file = m_dir.filePath("roundtrip.csv");
    const QVector<ItemRowText> rows{{5, "01. 设备名称", ": A1"},
                                    {7, "02. 保存配置", ""},
                                    {9, "03. 恢复出厂", ""},
                                    {1, "04. Mode(A/B/C)", ": B"},
                                    {123, "100. 时间", ": 12:30"}};
    QVERIFY(exportItemFile(file, rows).isEmpty());
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(),
             kUtf8Bom
                     + QString("05. 设备名称, A1\n07. 保存配置,\n09. 恢复出厂,\n"
                               "01. Mode(A/B/C), B\n123. 时间, 12:30\n")
                               .toUtf8());

    // Every action item comes back as one, whatever its name.
    QVector<ItemRecord> records;
    QCOMPARE(importItemFile(file, &records), QString());
    QCOMPARE(describe(records),
             QStringList({"5|设备名称|A1", "7|保存配置", "9|恢复出厂", "1|Mode(A/B/C)|B",
                          "123|时间|12:30"}));
}

void TestItemCsv::import_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("records"); // or the error, with nothing read

    QTest::newRow("BOM only, as an empty tree exports") << kUtf8Bom << QStringList();
    QTest::newRow("value with a comma")
            << kUtf8Bom + QString("03. 名称, a,b\n").toUtf8() << QStringList{"3|名称, a|b"};
    QTest::newRow("spaces trimmed, CRLF, no last line end")
            << QByteArray("4.  a  ,  b  \r\n05. c, 1") << QStringList{"4|a|b", "5|c|1"};
    QTest::newRow("local 8-bit without BOM")
            << QTextCodec::codecForName("GBK")->fromUnicode("05. 设备名称, A1\n")
            << QStringList{"5|设备名称|A1"};
    QTest::newRow("empty value keeps its blank, action item ends at the comma")
            << kUtf8Bom + QString("02. 地址, \n03. 恢复出厂,\n04. 重启设备, \n").toUtf8()
            << QStringList{"2|地址|", "3|恢复出厂", "4|重启设备"};
    QTest::newRow("blank line at the end")
            << QByteArray("01. a, 1\n02. b, 2\n\n") << QStringList{"文件解析错误: 第3行"};
    QTest::newRow("bad line after good ones")
            << QByteArray("01. a, 1\nrubbish\n") << QStringList{"文件解析错误: 第2行"};
    QTest::newRow("item number 255 is the last")
            << QByteArray("255. a, 1\n256. 设备名称, X\n") << QStringList{"文件解析错误: 第2行"};
    QTest::newRow("item number beyond int")
            << QByteArray("99999999999. a, 1\n") << QStringList{"文件解析错误: 第1行"};
}

void TestItemCsv::import()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, records);

    const QString file = m_dir.filePath("import.csv");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(content) >= 0);
    out.close();

    QVector<ItemRecord> read{{99, {"stale"}}};
    const QString error = importItemFile(file, &read);
    QCOMPARE(error.isEmpty() ? describe(read) : QStringList{error} + describe(read), records);
}

void TestItemCsv::fileErrors()
{
    const QString missing = m_dir.filePath("missing/none.csv");
    QVector<ItemRecord> records{{1, {"stale"}}};
    QCOMPARE(importItemFile(missing, &records), "打开文件失败: " + missing);
    QVERIFY(records.isEmpty());
    QCOMPARE(exportItemFile(missing, {{1, "01. a", ": 1"}}), "打开文件失败: " + missing);
    QVERIFY(!QFile::exists(missing));

    // A write that fails after opening must not pass for a finished export.
    if (QFile::exists("/dev/full"))
        QCOMPARE(exportItemFile("/dev/full", {{1, "01. a", ": 1"}}),
                 QStringLiteral("写入文件失败: /dev/full"));
}

QTEST_GUILESS_MAIN(TestItemCsv)
#include "tst_itemcsv.moc"
