#include "choicelist.h"
#include "guiresources.h"
#include "modifydialog.h"

#include <QtTest>

#include <QComboBox>
#include <QLineEdit>

// Editing one item: the texts taken from its tree row, the choice list in its
// name, and the editor the dialog shows.
class TestItemEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initGuiResources(); }
    void rowTexts_data();
    void rowTexts();
    void editor_data();
    void editor();
};

void TestItemEdit::rowTexts_data()
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

void TestItemEdit::rowTexts()
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

void TestItemEdit::editor_data()
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
    row("value among options", "Mode(A/B/C)", "B", "Mode", {"A", "B", "C"}, "B");
    row("later option contains earlier", "档位(1/10/100)", "10", "档位", {"1", "10", "100"}, "10");
    row("whole value kept over a later match", "Range(10/1)", "10", "Range", {"10", "1"}, "10");
    row("on and off", "Power(ON/OFF)", "OFF", "Power", {"ON", "OFF"}, "OFF");
    // No option in the value: the first option stays current; matching is case-sensitive.
    row("no option in the value", "Mode(a/b)", "B", "Mode", {"a", "b"}, "a");
    row("options with spaces and parentheses", "单位(m3 h/L (s))", "L (s)", "单位",
        {"m3 h", "L (s)"}, "L (s)");
    row("parentheses without slash", "Delay(s)", "5", "Delay(s)", {}, "5");
    row("empty option", "Mode(A//B)", "A", "Mode(A//B)", {}, "A");
    row("list not at the end", "Mode(A/B) x", "A", "Mode(A/B) x", {}, "A");
    row("free text kept as given", "设备名称", " A1 ", "设备名称", {}, " A1 ");
}

void TestItemEdit::editor()
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

QTEST_MAIN(TestItemEdit)
#include "tst_itemedit.moc"
