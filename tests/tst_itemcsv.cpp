#include "itemcsv.h"

#include <QtTest>

#include <QTemporaryDir>
#include <QTextCodec>

namespace {
// "number|field|field" per record, for compact expectations.
QStringList describe(const QVector<ItemRecord> &records)
{
    QStringList lines;
    for (const ItemRecord &record : records)
        lines << QString::number(record.item) + QLatin1Char('|') + record.fields.join('|');
    return lines;
}

QByteArray utf8Bom()
{
    return QByteArray("\xEF\xBB\xBF");
}

// A name the local 8-bit codec can carry, so the file round-trips on any test machine.
QString localName()
{
    QTextCodec *codec = QTextCodec::codecForLocale();
    for (const QString &candidate : {QStringLiteral("设备名称"), QStringLiteral("Gerätename")}) {
        if (codec->canEncode(candidate))
            return candidate;
    }
    return QStringLiteral("name");
}
} // namespace

// The item file: its exact form on export, and what an import makes of a file.
class TestItemCsv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportLine_data();
    void exportLine();
    void exportedBytes();
    void roundTrip();
    void import_data();
    void import();
    void fileErrors();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestItemCsv::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestItemCsv::exportLine_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("column0");
    QTest::addColumn<QString>("column1");
    QTest::addColumn<QString>("line");

    QTest::newRow("value item") << 5 << "01. 设备名称"
                                << ": A1"
                                << "05. 设备名称, A1";
    QTest::newRow("action item") << 7 << "02. 保存配置"
                                 << ""
                                 << "07. 保存配置,";
    QTest::newRow("three-digit item number") << 123 << "03. 流量"
                                             << ": 12.5"
                                             << "123. 流量, 12.5";
    QTest::newRow("row number 100 and up") << 9 << "100. 地址"
                                           << ": 1"
                                           << "09. 地址, 1";
    QTest::newRow("empty value") << 0 << "01. 地址"
                                 << ": "
                                 << "00. 地址, ";
    QTest::newRow("only the first colon removed") << 4 << "04. 时间"
                                                  << ": 12:30"
                                                  << "04. 时间, 12:30";
}

void TestItemCsv::exportLine()
{
    QFETCH(int, item);
    QFETCH(QString, column0);
    QFETCH(QString, column1);
    QFETCH(QString, line);

    QCOMPARE(itemFileLine({item, column0, column1}), line);
}

void TestItemCsv::exportedBytes()
{
    const QString file = path("exact.csv");
    QVERIFY(exportItemFile(file, {{5, "01. 设备名称", ": A1"}, {7, "02. 保存配置", ""}}).isEmpty());
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), utf8Bom() + QString("05. 设备名称, A1\n07. 保存配置,\n").toUtf8());
}

void TestItemCsv::roundTrip()
{
    const QVector<ItemRowText> rows{
            {0, "01. 设备名称", ": Norvo-1"}, {1, "02. Mode(A/B/C)", ": B"},
            {7, "03. 保存配置", ""},          {8, "04. 重启设备", ""},
            {9, "05. 恢复出厂", ""},          {123, "100. 流量", ": 12.5"},
    };
    const QString file = path("roundtrip.csv");
    QVERIFY(exportItemFile(file, rows).isEmpty());

    QVector<ItemRecord> records;
    QCOMPARE(importItemFile(file, &records), QString());
    // Only the two known action items stay action items; another comes back with an empty value.
    QCOMPARE(describe(records),
             QStringList({"0|设备名称|Norvo-1", "1|Mode(A/B/C)|B", "7|保存配置", "8|重启设备",
                          "9|恢复出厂|", "123|流量|12.5"}));
}

void TestItemCsv::import_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("parses");
    QTest::addColumn<QStringList>("records");

    const QString name = localName();
    QTest::newRow("empty file") << QByteArray() << true << QStringList();
    QTest::newRow("BOM only, as an empty tree exports") << utf8Bom() << true << QStringList();
    QTest::newRow("value with a comma") << utf8Bom() + QString("03. 名称, a,b\n").toUtf8() << true
                                        << QStringList{"3|名称, a|b"};
    QTest::newRow("known action item drops its value")
            << utf8Bom() + QString("10. 重启设备, x\n11. 保存配置,\n").toUtf8() << true
            << QStringList{"10|重启设备", "11|保存配置"};
    QTest::newRow("spaces around every field")
            << QByteArray(" 4 . a , b \n") << false << QStringList();
    QTest::newRow("spaces trimmed")
            << QByteArray("4.  a  ,  b  \n") << true << QStringList{"4|a|b"};
    QTest::newRow("CRLF line ends")
            << QByteArray("01. a, 1\r\n02. b, 2\r\n") << true << QStringList{"1|a|1", "2|b|2"};
    QTest::newRow("no trailing line end") << QByteArray("01. a, 1") << true << QStringList{"1|a|1"};
    QTest::newRow("local 8-bit without BOM")
            << QTextCodec::codecForLocale()->fromUnicode("05. " + name + ", A1\n") << true
            << QStringList{"5|" + name + "|A1"};
    QTest::newRow("UTF-16 with BOM")
            << QTextCodec::codecForName("UTF-16")->fromUnicode("05. 设备名称, A1\n06. 保存配置,\n")
            << true << QStringList{"5|设备名称|A1", "6|保存配置"};
    QTest::newRow("empty line in the middle")
            << QByteArray("01. a, 1\n\n02. b, 2\n") << false << QStringList();
    QTest::newRow("blank line at the end")
            << QByteArray("01. a, 1\n02. b, 2\n\n") << false << QStringList();
    QTest::newRow("bad line after good ones")
            << QByteArray("01. a, 1\n02. b, 2\nrubbish\n") << false << QStringList();
    QTest::newRow("line end only") << QByteArray("\n") << false << QStringList();
    QTest::newRow("no comma") << QByteArray("01. a\n") << false << QStringList();
    QTest::newRow("no name") << QByteArray("01.,1\n") << false << QStringList();
    QTest::newRow("item number beyond int")
            << QByteArray("99999999999. a, 1\n") << false << QStringList();
}

void TestItemCsv::import()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, parses);
    QFETCH(QStringList, records);

    const QString file = path(QStringLiteral("import.csv"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(content);
    out.close();

    QVector<ItemRecord> read{{99, {"stale"}}};
    const QString error = importItemFile(file, &read);
    QCOMPARE(error, parses ? QString() : QStringLiteral("文件解析错误"));
    QCOMPARE(describe(read), records);
}

void TestItemCsv::fileErrors()
{
    const QString missing = path("missing/none.csv");
    QVector<ItemRecord> records{{1, {"stale"}}};
    QCOMPARE(importItemFile(missing, &records), QStringLiteral("打开文件失败: %1").arg(missing));
    QVERIFY(records.isEmpty());
    QCOMPARE(importItemFile(m_dir.path(), &records),
             QStringLiteral("打开文件失败: %1").arg(m_dir.path()));
    QCOMPARE(exportItemFile(missing, {{1, "01. a", ": 1"}}),
             QStringLiteral("打开文件失败: %1").arg(missing));
    QVERIFY(!QFile::exists(missing));

    // A write that fails after opening must not pass for a finished export.
    const QString full = QStringLiteral("/dev/full");
    if (QFile::exists(full)) {
        QCOMPARE(exportItemFile(full, {{1, "01. a", ": 1"}}),
                 QStringLiteral("写入文件失败: %1").arg(full));
    }
}

QTEST_GUILESS_MAIN(TestItemCsv)
#include "tst_itemcsv.moc"
