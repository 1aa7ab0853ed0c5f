#include "config.h"
#include "guiresources.h"
#include "mainwindow.h"
#include "settingskeys.h"
#include "skipitems.h"

#include <QtTest>

#include <QTemporaryDir>
#include <QTreeWidget>

namespace {
void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// "name=model1;model2" per listed name, sorted by name.
QStringList describe(const SkipTable &table)
{
    QStringList lines;
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        QStringList models = it.value().values();
        models.sort();
        lines.append(it.key() + QLatin1Char('=') + models.join(QLatin1Char(';')));
    }
    return lines;
}

// "column 0|column 1|item number" for every row of the tree.
QStringList rows(const QTreeWidget *tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = tree->topLevelItem(i);
        texts.append(QStringLiteral("%1|%2|%3")
                             .arg(item->text(0), item->text(1))
                             .arg(item->data(0, Qt::UserRole).toInt()));
    }
    return texts;
}
} // namespace

class TestSkipItems : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void splitLine_data();
    void splitLine();
    void loadTable_data();
    void loadTable();
    void missingFileGivesEmptyTable();
    void filterRows_data();
    void filterRows();

private:
    QTemporaryDir m_dir;
};

void TestSkipItems::initTestCase()
{
    initGuiResources();
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void TestSkipItems::cleanup()
{
    SkipFilter::reset();
    singleton<Config>::destroyInstance();
    QFile::remove(QString::fromLatin1(SettingsKeys::kFileName));
    QFile::remove(QString::fromLatin1(kSkipItemsFileName));
}

void TestSkipItems::splitLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("parts");

    QTest::newRow("name and model")
            << QStringLiteral("NV-100 流量计,NV-100A") << QStringList{"NV-100流量计", "NV-100A"};
    QTest::newRow("spaces and line end")
            << QStringLiteral("  N V , M 1 \r\n") << QStringList{"NV", "M1"};
    QTest::newRow("tab kept inside") << QStringLiteral("\tA\tB ,C\n") << QStringList{"A\tB", "C"};
    QTest::newRow("two commas left alone")
            << QStringLiteral("a ,b,c") << QStringList{"a ", "b", "c"};
    QTest::newRow("single comma") << QStringLiteral(",") << QStringList{"", ""};
    QTest::newRow("no comma") << QStringLiteral("abc ") << QStringList{"abc "};
}

void TestSkipItems::splitLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, parts);
    QCOMPARE(splitSkipLine(line), parts);
}

void TestSkipItems::loadTable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("table");

    QTest::newRow("CRLF lines and spacing")
            << QByteArray("NV 100 , M 1\r\nNV 200,M2\r\n") << QStringList{"NV100=M1", "NV200=M2"};
    QTest::newRow("models gathered under one name")
            << QByteArray("N,M1\nN ,M2\n") << QStringList{"N=M1;M2"};
    QTest::newRow("line with two commas ignored")
            << QByteArray("N,M,X\nK,L\n") << QStringList{"K=L"};
    QTest::newRow("line without comma ignored") << QByteArray("N\n") << QStringList{};
    QTest::newRow("text after NUL ignored") << QByteArray("N,M\0,junk\n", 10) << QStringList{"N=M"};
    QTest::newRow("single comma lists empty name") << QByteArray(",\n") << QStringList{"="};
    QTest::newRow("last line without line end")
            << QByteArray("A,B\nC,D") << QStringList{"A=B", "C=D"};
    QTest::newRow("UTF-8 names") << QByteArray("流量计,甲型\n") << QStringList{"流量计=甲型"};
}

void TestSkipItems::loadTable()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, table);
    const QString path = m_dir.filePath(QStringLiteral("list"));
    writeFile(path, file);
    QCOMPARE(describe(loadSkipTable(path)), table);
}

void TestSkipItems::missingFileGivesEmptyTable()
{
    QVERIFY(loadSkipTable(m_dir.filePath(QStringLiteral("absent"))).isEmpty());
}

void TestSkipItems::filterRows_data()
{
    // Each step is "item|field|field..." handed to slotAddItems, or "clear".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("shown"); // "column 0|column 1|item number"

    QTest::newRow("listed device hidden, no gap in numbering")
            << QStringList{"0|设备名称|NV100", "1|设备型号|M1", "2|量程|5"}
            << QStringList{"01. 量程|: 5|2"};
    QTest::newRow("spacing does not count")
            << QStringList{"0|设备名称| N V100", "1|设备型号|M 1 ", "2|量程|5"}
            << QStringList{"01. 量程|: 5|2"};
    QTest::newRow("other model shows both")
            << QStringList{"0|设备名称|NV100", "1|设备型号|M2", "2|量程|5"}
            << QStringList{"01. 设备名称|: NV100|0", "02. 设备型号|: M2|1", "03. 量程|: 5|2"};
    QTest::newRow("name then other row") << QStringList{"0|设备名称|NV100", "1|量程|5"}
                                         << QStringList{"01. 设备名称|: NV100|0", "02. 量程|: 5|1"};
    QTest::newRow("unlisted name shown at once")
            << QStringList{"0|设备名称|NV300"} << QStringList{"01. 设备名称|: NV300|0"};
    QTest::newRow("listed name is held") << QStringList{"0|设备名称|NV100"} << QStringList{};
    QTest::newRow("held name survives a clear")
            << QStringList{"0|量程|5", "1|设备名称|NV100", "clear", "0|量程|5"}
            << QStringList{"01. 设备名称|: NV100|1", "02. 量程|: 5|0"};
    QTest::newRow("name row without value shown")
            << QStringList{"0|设备名称", "1|设备型号|M1"}
            << QStringList{"01. 设备名称||0", "02. 设备型号|: M1|1"};
    QTest::newRow("model row without value shows both")
            << QStringList{"0|设备名称|NV100", "1|设备型号"}
            << QStringList{"01. 设备名称|: NV100|0", "02. 设备型号||1"};
    QTest::newRow("second name row releases the first")
            << QStringList{"0|设备名称|NV100", "1|设备名称|NV100", "2|设备型号|M1"}
            << QStringList{"01. 设备名称|: NV100|0"};
    QTest::newRow("model row without a held name shown")
            << QStringList{"0|设备型号|M1"} << QStringList{"01. 设备型号|: M1|0"};
}

void TestSkipItems::filterRows()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, shown);

    writeFile(QString::fromLatin1(kSkipItemsFileName), QByteArray("NV 100 , M 1\nNV200,M2,X\n"));
    MainWindow window;
    auto *tree = window.findChild<QTreeWidget *>();
    QVERIFY(tree);
    for (const QString &step : steps) {
        if (step == QLatin1String("clear")) {
            window.slotClearItems();
            continue;
        }
        QStringList fields = step.split(QLatin1Char('|'));
        const int index = fields.takeFirst().toInt();
        window.slotAddItems(index, fields);
    }
    QCOMPARE(rows(tree), shown);
}

QTEST_MAIN(TestSkipItems)
#include "tst_skipitems.moc"
