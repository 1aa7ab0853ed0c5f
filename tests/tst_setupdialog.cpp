#include "guiresources.h"
#include "neutralaboutdialog.h"
#include "portnames.h"
#include "setupdialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {
Config *config()
{
    return singleton<Config>::instance();
}

void storeSerial(const QString &port, const QString &rate)
{
    if (!port.isNull())
        config()->setValue(SettingsKeys::kSerialPort, port);
    if (!rate.isNull())
        config()->setValue(SettingsKeys::kSerialBaudRate, rate);
}

QComboBox *box(SetupDialog &dialog, const char *name)
{
    return dialog.findChild<QComboBox *>(QString::fromLatin1(name));
}

QStringList entries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}
} // namespace

// Serial setup dialog: port ordering, preselection, refusals, what OK and Cancel store; about box.
class TestSetupDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { SimTest::resetSettings(); }
    void portChoicesOrder_data();
    void portChoicesOrder();
    void storedSettings_data();
    void storedSettings();
    void closeButtons_data();
    void closeButtons();
    void aboutBox();

private:
    QTemporaryDir m_dir;
};

void TestSetupDialog::initTestCase()
{
    QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
    initGuiResources();
}

void TestSetupDialog::portChoicesOrder_data()
{
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("shorter first") << QStringList{"COM10", "COM3", "COM1"} << QString()
                                   << QStringList{"COM1", "COM3", "COM10"};
    QTest::newRow("case is plain text order")
            << QStringList{"com1"} << "COM1" << QStringList{"COM1", "com1"};
    QTest::newRow("duplicates removed")
            << QStringList{"COM3", "COM1", "COM3", "COM1"} << "COM3" << QStringList{"COM1", "COM3"};
    QTest::newRow("stored absent port in sorted place")
            << QStringList{"COM10", "COM3", "COM1"} << "COM7"
            << QStringList{"COM1", "COM3", "COM7", "COM10"};
    QTest::newRow("empty names dropped")
            << QStringList{"", "COM2", ""} << "" << QStringList{"COM2"};
    QTest::newRow("nothing at all") << QStringList() << QString() << QStringList{QString()};
}

void TestSetupDialog::portChoicesOrder()
{
    QFETCH(QStringList, available);
    QFETCH(QString, stored);
    QFETCH(QStringList, expected);
    QCOMPARE(portChoices(available, stored), expected);
}

void TestSetupDialog::storedSettings_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("shownRate");
    QTest::addColumn<QString>("refusal"); // the box OK shows; empty when it accepts
    const auto row = [](const char *name, const QString &port, const QString &rate,
                        const QString &shownRate, const QString &refusal) {
        QTest::newRow(name) << port << rate << shownRate << refusal;
    };
    row("first start selects nothing", QString(), QString(), QString(), "请选择串口!");
    row("no port, rate stored", QString(), "9600", "9600", "请选择串口!");
    row("absent port, listed rate", "COM7", "115200", "115200", QString());
    row("no rate", "COM7", QString(), QString(), "请选择波特率!");
    row("rate not in list", "COM7", "43001", QString(), "请选择波特率!");
}

void TestSetupDialog::storedSettings()
{
    QFETCH(QString, port);
    QFETCH(QString, rate);
    QFETCH(QString, shownRate);
    QFETCH(QString, refusal);
    storeSerial(port, rate);

    SetupDialog dialog;
    dialog.loadConfig(); // loading again shows every port once
    QCOMPARE(entries(box(dialog, "port")), portChoices(availablePortNames(), port));
    QCOMPARE(box(dialog, "port")->currentText(), port);
    QCOMPARE(box(dialog, "port")->currentIndex() == -1, port.isEmpty());
    QCOMPARE(box(dialog, "baudrate")->currentText(), shownRate);
    QCOMPARE(box(dialog, "baudrate")->currentIndex() == -1, shownRate.isEmpty());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QStringList seen; // title, text and button count of the box that appeared
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *msg = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            closer.stop();
            seen << msg->windowTitle() << msg->text() << QString::number(msg->buttons().size());
            msg->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(20);
    dialog.findChild<QPushButton *>("ok")->click();

    QCOMPARE(seen, refusal.isEmpty() ? QStringList() : QStringList({"串口设置", refusal, "1"}));
    QCOMPARE(dialog.isVisible(), !refusal.isEmpty());
    QCOMPARE(config()->value(SettingsKeys::kSerialPort).toString(), port);
    QCOMPARE(config()->value(SettingsKeys::kSerialBaudRate).toString(), rate);
}

void TestSetupDialog::closeButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<QVariant>("storedRate");

    QTest::newRow("OK stores strings") << "ok" << int(QDialog::Accepted) << QVariant("43000");
    QTest::newRow("Cancel stores nothing") << "cancel" << int(QDialog::Rejected) << QVariant();
}

void TestSetupDialog::closeButtons()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    QFETCH(QVariant, storedRate);
    storeSerial("COM7", QString());
    {
        SetupDialog dialog;
        dialog.show();
        box(dialog, "baudrate")->setCurrentText("43000");
        dialog.findChild<QPushButton *>(button)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
    }
    const QVariant rate = config()->value(SettingsKeys::kSerialBaudRate);
    QCOMPARE(rate.userType(), storedRate.userType());
    QCOMPARE(rate, storedRate);

    // Both survive a fresh start on the written file.
    singleton<Config>::destroyInstance();
    SetupDialog reopened;
    QCOMPARE(box(reopened, "port")->currentText(), QString("COM7"));
    QCOMPARE(box(reopened, "baudrate")->currentText(), storedRate.toString());
}

void TestSetupDialog::aboutBox()
{
    NeutralAboutDialog dialog;
    QCOMPARE(dialog.findChild<QLabel *>("labelVersion")->text(), QString("Norvo助手V3.5"));
    QTimer::singleShot(0, dialog.findChild<QPushButton *>("bntOK"), &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
}

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
