#include "choicelist.h"
#include "guiresources.h"
#include "itemcomparison.h"
#include "itemcsv.h"
#include "itemrows.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "modifydialog.h"
#include "simtestsupport.h"
#include "skipitems.h"

#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QTextCodec>
#include <QTreeWidget>

Q_DECLARE_METATYPE(SkipTable)

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Rows as the tree shows them, from "number|name|value" ("number|name" for an action item).
QVector<ItemRowText> rowsOf(const QStringList &items)
{
    QVector<ItemRowText> rows;
    for (const QString &item : items) {
        const QStringList parts = item.split('|');
        rows.append(itemRowText(rows.size() + 1, parts.at(0).toInt(), parts.mid(1)));
    }
    return rows;
}

// "number|field|field" per record, for compact expectations.
QStringList describe(const QVector<ItemRecord> &records)
{
    QStringList lines;
    for (const ItemRecord &record : records)
        lines << QString::number(record.item) + '|' + record.fields.join('|');
    return lines;
}
} // namespace

// An item's texts: those taken from its tree row, the choice list in its name
// and the editor the dialog shows; the item file's exact bytes on export, and
// what an import makes of a file; the SkipItems list file, and the tree rows it
// hides as items arrive.
class TestItemTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
        // A Chinese Windows machine's own encoding, so files without a BOM are not read as UTF-8.
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GBK"));
    }
    void cleanupTestCase() { QTextCodec::setCodecForLocale(nullptr); }
    void cleanup()
    {
        SkipFilter::reset();
        SimTest::resetSettings();
        QFile::remove(QString::fromLatin1(kSkipItemsFileName));
    }
    void rowTexts_data();
    void rowTexts();
    void editor_data();
    void editor();
    void exportAndReadBack();
    void import_data();
    void import();
    void fileErrors();
    void loadTable_data();
    void loadTable();
    void filterRows_data();
    void filterRows();
    void comparison_data();
    void comparison();

private:
    QTemporaryDir m_dir;
};

void TestItemTexts::rowTexts_data()
{
    QTest::addColumn<QString>("column0");
    QTest::addColumn<QString>("column1");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("isAction");
    const auto row = [](const char *tag, const char *column0, const char *column1, const char *name,
                        const char *value, bool isAction) {
        QTest::newRow(tag) << column0 << column1 << name << value << isAction;
    };
    row("row number 100 and up, value trimmed", "123. 流量", ": 12.5 ", "流量", "12.5", false);
    row("action item", "07. 保存配置", "", "保存配置", "", true);
    row("value item with empty value", "02. 地址", ": ", "地址", "", false);
    row("only the first colon removed", "04. 时间", ": 12:30", "时间", "12:30", false);
    row("digits without point stay", "12 名称", ": a", "12 名称", "a", false);
}

void TestItemTexts::rowTexts()
{
    QFETCH(QString, column0);
    QFETCH(QString, column1);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, isAction);

    const ItemEditTexts texts = prepareItemEdit(column0, column1);
    QCOMPARE(texts.name, name);
    QCOMPARE(texts.value, value);
    QCOMPARE(texts.isAction, isAction);
}

void TestItemTexts::editor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("options"); // empty: a line edit
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *tag, const char *name, const char *value, const char *title,
                        const QStringList &options, const char *shown) {
        QTest::newRow(tag) << name << value << title << options << shown;
    };
    row("later option contains earlier", "档位(1/10/100)", "10", "档位", {"1", "10", "100"}, "10");
    row("whole value kept over a later match", "Range(10/1)", "10", "Range", {"10", "1"}, "10");
    // No option in the value: the first option stays current; matching is case-sensitive.
    row("no option in the value", "Mode(a/b)", "B", "Mode", {"a", "b"}, "a");
    row("options with spaces and parentheses", "单位(m3 h/L (s))", "L (s)", "单位",
        {"m3 h", "L (s)"}, "L (s)");
    row("parentheses without slash", "Delay(s)", "5", "Delay(s)", {}, "5");
    row("empty option", "Mode(A//B)", "A", "Mode(A//B)", {}, "A");
    row("list not at the end", "Mode(A/B) x", "A", "Mode(A/B) x", {}, "A");
    row("free text kept as given", "设备名称", " A1 ", "设备名称", {}, " A1 ");
}

void TestItemTexts::editor()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, title);
    QFETCH(QStringList, options);
    QFETCH(QString, shown);

    ModifyDialog dialog(name, value);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChildren<QLineEdit *>().size() + dialog.findChildren<QComboBox *>().size(),
             1);
    QStringList items;
    for (int i = 0; dialog.comboBox() && i < dialog.comboBox()->count(); ++i)
        items << dialog.comboBox()->itemText(i);
    QCOMPARE(items, options);
    QCOMPARE(dialog.value(), shown);
}

void TestItemTexts::exportAndReadBack()
{
    const QString file = m_dir.filePath("roundtrip.csv");
    const QVector<ItemRowText> rows{{5, "01. 设备名称", ": A1"},
                                    {7, "02. 保存配置", ""},
                                    {9, "03. 恢复出厂", ""},
                                    {1, "04. Mode(A/B/C)", ": B"},
                                    {123, "100. 时间", ": 12:30"}};
    QVERIFY(exportItemFile(file, rows).isEmpty());
    QCOMPARE(SimTest::fileBytes(file),
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

void TestItemTexts::import_data()
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
    QTest::newRow("bad line after good ones")
            << QByteArray("01. a, 1\nrubbish\n") << QStringList{"文件解析错误: 第2行"};
    QTest::newRow("item number 255 is the last")
            << QByteArray("255. a, 1\n256. 设备名称, X\n") << QStringList{"文件解析错误: 第2行"};
    QTest::newRow("item number beyond int")
            << QByteArray("99999999999. a, 1\n") << QStringList{"文件解析错误: 第1行"};
}

void TestItemTexts::import()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, records);

    const QString file = m_dir.filePath("import.csv");
    QVERIFY(SimTest::writeFile(file, content));

    QVector<ItemRecord> read{{99, {"stale"}}};
    const QString error = importItemFile(file, &read);
    QCOMPARE(error.isEmpty() ? describe(read) : QStringList{error} + describe(read), records);
}

void TestItemTexts::fileErrors()
{
    const QString missing = m_dir.filePath("missing/none.csv");
    QVector<ItemRecord> records{{1, {"stale"}}};
    QCOMPARE(importItemFile(missing, &records), "打开文件失败: " + missing);
    QVERIFY(records.isEmpty());
    QCOMPARE(exportItemFile(missing, {{1, "01. a", ": 1"}}), "打开文件失败: " + missing);

    // A disk that fills up during an export fails it and leaves the older file whole.
    const QString old = m_dir.filePath("old.csv");
    QVERIFY(SimTest::writeFile(old, "01. a, 1\n"));
    const QVector<ItemRowText> rows(1000, {1, "01. a", ": 1"});
    QCOMPARE(SimTest::onFullDisk(4096, [&] { return exportItemFile(old, rows); }),
             "写入文件失败: " + old);
    QCOMPARE(SimTest::fileBytes(old), QByteArray("01. a, 1\n"));
}

void TestItemTexts::loadTable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<SkipTable>("table");

    QTest::newRow("CRLF, blanks removed, tab kept, text after NUL ignored")
            << QByteArray("NV 100 , M 1\r\n\tN\tV ,M2") + '\0' + QByteArray(",junk\r\n")
            << SkipTable{{"NV100", {"M1"}}, {"N\tV", {"M2"}}};
    QTest::newRow("models gathered, lines with two commas or none ignored")
            << QByteArray("N,M1\nN,M,X\nK,L\nN ,M2\nN\n")
            << SkipTable{{"K", {"L"}}, {"N", {"M1", "M2"}}};
    QTest::newRow("UTF-8, last line without line end")
            << QByteArray("A,B\n流量计,甲型") << SkipTable{{"A", {"B"}}, {"流量计", {"甲型"}}};
}

void TestItemTexts::loadTable()
{
    QFETCH(QByteArray, file);
    QFETCH(SkipTable, table);
    QVERIFY(SimTest::writeFile(QString::fromLatin1(kSkipItemsFileName), file));
    QCOMPARE(loadSkipTable(QString::fromLatin1(kSkipItemsFileName)), table);
}

void TestItemTexts::filterRows_data()
{
    QTest::addColumn<QStringList>("steps"); // "item|field|field..." to slotAddItems, or "clear"
    QTest::addColumn<QStringList>("shown"); // "item number|column 0|column 1"

    QTest::newRow("listed device hidden, blanks ignored, no gap in numbering")
            << QStringList{"0|设备名称| N V100", "1|设备型号|M 1 ", "2|量程|5"}
            << QStringList{"2|01. 量程|: 5"};
    QTest::newRow("other model shows both")
            << QStringList{"0|设备名称|NV100", "1|设备型号|M2", "2|量程|5"}
            << QStringList{"0|01. 设备名称|: NV100", "1|02. 设备型号|: M2", "2|03. 量程|: 5"};
    QTest::newRow("unlisted name shown at once")
            << QStringList{"0|设备名称|NV300"} << QStringList{"0|01. 设备名称|: NV300"};
    QTest::newRow("clear forgets a held name")
            << QStringList{"0|量程|5", "1|设备名称|NV100", "clear", "0|量程|5"}
            << QStringList{"0|01. 量程|: 5"};
    QTest::newRow("second name row releases the first")
            << QStringList{"0|设备名称|NV100", "1|设备名称|NV100", "2|设备型号|M1"}
            << QStringList{"0|01. 设备名称|: NV100"};
}

void TestItemTexts::filterRows()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, shown);

    QVERIFY(SimTest::writeFile(QString::fromLatin1(kSkipItemsFileName),
                               "NV 100 , M 1\nNV200,M2,X\n"));
    MainWindow window;
    for (const QString &step : steps) {
        QStringList fields = step.split('|');
        if (step == QLatin1String("clear"))
            window.slotClearItems();
        else
            window.slotAddItems(fields.takeFirst().toInt(), fields);
    }
    QCOMPARE(treeRows(window.findChild<QTreeWidget *>()), shown);
}

void TestItemTexts::comparison_data()
{
    QTest::addColumn<QStringList>("instrument");
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("marked"); // "number|D|I|F" per entry not Same: kind, values
    QTest::addColumn<QString>("plan");       // the items writing the differences sends, in order
    QTest::addColumn<QString>("summary");

    QTest::newRow("equal, actions and the running clock never differ")
            << QStringList{"0|名称|A", "17|设备时间|2026-12-06 10:00:00", "18|保存配置"}
            << QStringList{"0|名称| A ", "17|设备时间|2000-01-01 00:00:00", "18|保存配置|x"}
            << QStringList() << ""
            << "与文件一致";
    // A number the file gives to another item is no partner; a repeated line's
    // second copy has none left.
    QTest::newRow("matched by number and name, plan in item order")
            << QStringList{"9|上限|5", "3|模式|自动", "4|地址|1"}
            << QStringList{"3|模式|手动", "9|上限|7", "4|站号|1", "9|上限|8"}
            << QStringList{"9|D|5|7", "3|D|自动|手动", "4|I|1|", "4|F||1", "9|F||8"} << "3=手动 9=7"
            << "2 项不同, 2 项仅在文件中, 1 项仅在仪表中";
}

void TestItemTexts::comparison()
{
    QFETCH(QStringList, instrument);
    QFETCH(QStringList, file);
    QFETCH(QStringList, marked);
    QFETCH(QString, plan);
    QFETCH(QString, summary);

    const ItemComparison comparison = ItemComparison::compare(rowsOf(instrument), rowsOf(file));
    const char *kinds = "SDFI";
    QStringList shown;
    for (const ComparedItem &entry : comparison.entries()) {
        if (entry.difference != ItemDifference::Same)
            shown << QStringLiteral("%1|%2|%3|%4")
                             .arg(entry.item)
                             .arg(QChar(kinds[int(entry.difference)]))
                             .arg(entry.instrumentValue, entry.fileValue);
    }
    QCOMPARE(shown, marked);
    QStringList sent;
    for (const ComparedItem &entry : comparison.writePlan())
        sent << QStringLiteral("%1=%2").arg(entry.item).arg(entry.fileValue);
    QCOMPARE(sent.join(' '), plan);
    QCOMPARE(comparison.summaryText(), summary);
    QCOMPARE(comparison.matches(), marked.isEmpty());
}

QTEST_MAIN(TestItemTexts)
#include "tst_itemtexts.moc"
