#include "guiresources.h"
#include "modifydialog.h"

#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

// The item edit dialog: which editor it shows, what it preselects, what it returns.
class TestModifyDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editor_data();
    void editor();
    void lineEditValueAsTyped();
    void buttonsEndTheDialog_data();
    void buttonsEndTheDialog();
};

void TestModifyDialog::initTestCase()
{
    initGuiResources();
}

void TestModifyDialog::editor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("options"); // empty: a line edit
    QTest::addColumn<QString>("shown");

    QTest::newRow("choice list") << "Mode(A/B/C)"
                                 << "B"
                                 << "Mode" << QStringList{"A", "B", "C"} << "B";
    QTest::newRow("choice list, 10 of 1/10/100") << "档位(1/10/100)"
                                                 << "10"
                                                 << "档位" << QStringList{"1", "10", "100"} << "10";
    QTest::newRow("choice list, no option in value")
            << "Switch(ON/OFF)"
            << "?"
            << "Switch" << QStringList{"ON", "OFF"} << "ON";
    QTest::newRow("free text") << "设备名称"
                               << "A1 "
                               << "设备名称" << QStringList() << "A1 ";
    QTest::newRow("parentheses without slash") << "Delay(s)"
                                               << "5"
                                               << "Delay(s)" << QStringList() << "5";
    QTest::newRow("empty value") << "地址"
                                 << ""
                                 << "地址" << QStringList() << "";
}

void TestModifyDialog::editor()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, title);
    QFETCH(QStringList, options);
    QFETCH(QString, shown);

    ModifyDialog dialog(name, value);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.size(), QSize(232, 119));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QVERIFY(!dialog.windowIcon().isNull());

    QWidget *editor = nullptr;
    if (options.isEmpty()) {
        QVERIFY(dialog.lineEdit());
        QVERIFY(!dialog.comboBox());
        QCOMPARE(dialog.lineEdit()->text(), shown);
        editor = dialog.lineEdit();
    } else {
        QVERIFY(dialog.comboBox());
        QVERIFY(!dialog.lineEdit());
        QStringList items;
        for (int i = 0; i < dialog.comboBox()->count(); ++i)
            items << dialog.comboBox()->itemText(i);
        QCOMPARE(items, options);
        QCOMPARE(dialog.comboBox()->currentText(), shown);
        editor = dialog.comboBox();
    }
    QCOMPARE(editor->parentWidget(), &dialog);
    QCOMPARE(editor->geometry(), QRect(10, 20, 211, 31));
    QCOMPARE(editor->font().pointSize(), 14);
    QCOMPARE(dialog.findChildren<QLineEdit *>().size() + dialog.findChildren<QComboBox *>().size(),
             1);
    QCOMPARE(dialog.value(), shown);
}

void TestModifyDialog::lineEditValueAsTyped()
{
    ModifyDialog dialog(QStringLiteral("名称"), QStringLiteral("old"));
    dialog.lineEdit()->clear();
    QTest::keyClicks(dialog.lineEdit(), QStringLiteral("  new value "));
    QCOMPARE(dialog.value(), QStringLiteral("  new value "));

    ModifyDialog choice(QStringLiteral("Mode(A/B/C)"), QStringLiteral("A"));
    choice.comboBox()->setCurrentIndex(2);
    QCOMPARE(choice.value(), QStringLiteral("C"));
}

void TestModifyDialog::buttonsEndTheDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");

    QTest::newRow("commit") << "commit" << int(QDialog::Accepted);
    QTest::newRow("cancel") << "cancel" << int(QDialog::Rejected);
}

void TestModifyDialog::buttonsEndTheDialog()
{
    QFETCH(QString, button);
    QFETCH(int, result);

    ModifyDialog dialog(QStringLiteral("名称"), QStringLiteral("v"));
    QPushButton *pushButton = dialog.findChild<QPushButton *>(button);
    QVERIFY(pushButton);
    QCOMPARE(pushButton->text(),
             button == "commit" ? QStringLiteral("提交") : QStringLiteral("取消"));
    QTimer::singleShot(0, pushButton,
                       [pushButton] { QTest::mouseClick(pushButton, Qt::LeftButton); });
    QCOMPARE(dialog.exec(), result);
}

QTEST_MAIN(TestModifyDialog)
#include "tst_modifydialog.moc"
