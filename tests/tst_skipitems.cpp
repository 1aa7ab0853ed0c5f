#include "guiresources.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "simtestsupport.h"
#include "skipitems.h"

#include <QtTest>

#include <QTreeWidget>

Q_DECLARE_METATYPE(SkipTable)

// The SkipItems list file, and the tree rows it hides as items arrive.
class TestSkipItems : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initGuiResources();
        QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
    }
    void cleanup()
    {
        SkipFilter::reset();
        SimTest::resetSettings();
        QFile::remove(QString::fromLatin1(kSkipItemsFileName));
    }
    void loadTable_data();
    void loadTable();
    void filterRows_data();
    void filterRows();

private:
    QTemporaryDir m_dir;
};

void TestSkipItems::loadTable_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file at all
    QTest::addColumn<SkipTable>("table");

    QTest::newRow("no file") << QByteArray() << SkipTable();
    QTest::newRow("CRLF, blanks removed, tab kept, text after NUL ignored")
            << QByteArray("NV 100 , M 1\r\n\tN\tV ,M2") + '\0' + QByteArray(",junk\r\n")
            << SkipTable{{"NV100", {"M1"}}, {"N\tV", {"M2"}}};
    QTest::newRow("models gathered, lines with two commas or none ignored")
            << QByteArray("N,M1\nN,M,X\nK,L\nN ,M2\nN\n")
            << SkipTable{{"K", {"L"}}, {"N", {"M1", "M2"}}};
    QTest::newRow("UTF-8, last line without line end")
            << QByteArray("A,B\n流量计,甲型") << SkipTable{{"A", {"B"}}, {"流量计", {"甲型"}}};
}

void TestSkipItems::loadTable()
{
    QFETCH(QByteArray, file);
    QFETCH(SkipTable, table);
    if (!file.isNull())
        QVERIFY(SimTest::writeFile(QString::fromLatin1(kSkipItemsFileName), file));
    QCOMPARE(loadSkipTable(QString::fromLatin1(kSkipItemsFileName)), table);
}

void TestSkipItems::filterRows_data()
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
    QTest::newRow("held name survives a clear")
            << QStringList{"0|量程|5", "1|设备名称|NV100", "clear", "0|量程|5"}
            << QStringList{"1|01. 设备名称|: NV100", "0|02. 量程|: 5"};
    QTest::newRow("second name row releases the first")
            << QStringList{"0|设备名称|NV100", "1|设备名称|NV100", "2|设备型号|M1"}
            << QStringList{"0|01. 设备名称|: NV100"};
}

void TestSkipItems::filterRows()
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

QTEST_MAIN(TestSkipItems)
#include "tst_skipitems.moc"
