#include "choicelist.h"

#include <QtTest>

// Recognising choice lists in item names, the preselected option, and the
// texts a double-clicked row hands to the edit step.
class TestChoiceList : public QObject
{
    Q_OBJECT

private slots:
    void recognition_data();
    void recognition();
    void editTexts_data();
    void editTexts();
};

void TestChoiceList::recognition_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("isList");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("choice");

    QTest::newRow("value among options")
            << "Mode(A/B/C)"
            << "B" << true << "Mode" << QStringList{"A", "B", "C"} << "B";
    QTest::newRow("later option contains earlier")
            << "Range(1/10/100)"
            << "10" << true << "Range" << QStringList{"1", "10", "100"} << "10";
    QTest::newRow("whole value kept over a later match")
            << "Range(10/1)"
            << "10" << true << "Range" << QStringList{"10", "1"} << "10";
    QTest::newRow("option contained in another")
            << "Switch(ON/OFF)"
            << "OFF" << true << "Switch" << QStringList{"ON", "OFF"} << "OFF";
    QTest::newRow("no option contained")
            << "Mode(A/B/C)"
            << "x" << true << "Mode" << QStringList{"A", "B", "C"} << "";
    QTest::newRow("case-sensitive") << "Mode(a/b)"
                                    << "B" << true << "Mode" << QStringList{"a", "b"} << "";
    QTest::newRow("options with spaces and parentheses")
            << "单位(m3 h/L (s))"
            << "L (s)" << true << "单位" << QStringList{"m3 h", "L (s)"} << "L (s)";
    QTest::newRow("parentheses without slash") << "Delay(s)"
                                               << "5" << false << "Delay(s)" << QStringList() << "";
    QTest::newRow("empty option") << "Mode(A//B)"
                                  << "A" << false << "Mode(A//B)" << QStringList() << "";
    QTest::newRow("list not at the end") << "Mode(A/B) x"
                                         << "A" << false << "Mode(A/B) x" << QStringList() << "";
    QTest::newRow("no title") << "(A/B)"
                              << "A" << false << "(A/B)" << QStringList() << "";
}

void TestChoiceList::recognition()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, isList);
    QFETCH(QString, title);
    QFETCH(QStringList, options);
    QFETCH(QString, choice);

    const ChoiceList list = parseChoiceList(name);
    QCOMPARE(list.isChoiceList, isList);
    QCOMPARE(list.title, title);
    QCOMPARE(list.options, options);
    QCOMPARE(preselectedChoice(list.options, value), choice);
}

void TestChoiceList::editTexts_data()
{
    QTest::addColumn<QString>("column0");
    QTest::addColumn<QString>("column1");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("isAction");

    QTest::newRow("value item") << "03. Mode(A/B/C)"
                                << ": B"
                                << "Mode(A/B/C)"
                                << "B" << false;
    QTest::newRow("row number 100 and up") << "123. 流量"
                                           << ": 12.5 "
                                           << "流量"
                                           << "12.5" << false;
    QTest::newRow("action item") << "07. 保存配置"
                                 << ""
                                 << "保存配置"
                                 << "" << true;
    QTest::newRow("value item with empty value") << "02. 地址"
                                                 << ": "
                                                 << "地址"
                                                 << "" << false;
    QTest::newRow("only the first colon removed") << "04. 时间"
                                                  << ": 12:30"
                                                  << "时间"
                                                  << "12:30" << false;
    QTest::newRow("digits without point stay") << "12 名称"
                                               << ": a"
                                               << "12 名称"
                                               << "a" << false;
}

void TestChoiceList::editTexts()
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

QTEST_GUILESS_MAIN(TestChoiceList)
#include "tst_choicelist.moc"
