#include "config.h"
#include "guiresources.h"
#include "neutralaboutdialog.h"
#include "portnames.h"
#include "settingskeys.h"
#include "setupdialog.h"

#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>

namespace {
constexpr int kPollMs = 20;

// Closes the next modal message box that appears, recording what it showed.
struct ModalBoxCloser : QObject
{
    ModalBoxCloser()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer.stop();
            seen = true;
            title = box->windowTitle();
            text = box->text();
            buttonCount = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        timer.start(kPollMs);
    }

    QTimer timer;
    bool seen = false;
    QString title;
    QString text;
    int buttonCount = 0;
};

QComboBox *portBox(SetupDialog &dialog)
{
    return dialog.findChild<QComboBox *>(QStringLiteral("port"));
}

QComboBox *rateBox(SetupDialog &dialog)
{
    return dialog.findChild<QComboBox *>(QStringLiteral("baudrate"));
}

QStringList entries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

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
} // namespace

// Serial setup dialog and about box: port ordering, preselection, refusals,
// what OK and Cancel store; the about box's fixed size and product title.
class TestSetupDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void portChoicesOrder_data();
    void portChoicesOrder();
    void firstStartSelectsNothing();
    void storedChoicesPreselected_data();
    void storedChoicesPreselected();
    void refusals_data();
    void refusals();
    void okStoresStringsAndReopens();
    void cancelStoresNothing();
    void aboutBoxFixedWithTitle();
    void aboutTitleFollowsTranslation();

private:
    QTemporaryDir m_dir;
};

void TestSetupDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    initGuiResources();
}

void TestSetupDialog::cleanup()
{
    singleton<Config>::destroyInstance();
    QFile::remove(SettingsKeys::kFileName);
}

void TestSetupDialog::portChoicesOrder_data()
{
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("shorter first") << QStringList{"COM10", "COM3", "COM1"} << QString()
                                   << QStringList{"COM1", "COM3", "COM10"};
    QTest::newRow("ttyUSB2 before ttyUSB10") << QStringList{"ttyUSB10", "ttyUSB2"} << QString()
                                             << QStringList{"ttyUSB2", "ttyUSB10"};
    QTest::newRow("length before family") << QStringList{"ttyUSB0", "ttyS1", "ttyACM0"} << QString()
                                          << QStringList{"ttyS1", "ttyACM0", "ttyUSB0"};
    QTest::newRow("case is plain text order")
            << QStringList{"com1"} << QString("COM1") << QStringList{"COM1", "com1"};
    QTest::newRow("duplicates removed") << QStringList{"COM3", "COM1", "COM3", "COM1"} << QString()
                                        << QStringList{"COM1", "COM3"};
    QTest::newRow("stored absent port in sorted place")
            << QStringList{"COM10", "COM3", "COM1"} << QString("COM7")
            << QStringList{"COM1", "COM3", "COM7", "COM10"};
    QTest::newRow("stored present port once")
            << QStringList{"COM1", "COM3"} << QString("COM3") << QStringList{"COM1", "COM3"};
    QTest::newRow("empty stored value")
            << QStringList{"COM2"} << QString("") << QStringList{"COM2"};
    QTest::newRow("empty names dropped")
            << QStringList{"", "COM2", ""} << QString() << QStringList{"COM2"};
    QTest::newRow("nothing at all") << QStringList() << QString() << QStringList{QString()};
}

void TestSetupDialog::portChoicesOrder()
{
    QFETCH(QStringList, available);
    QFETCH(QString, stored);
    QFETCH(QStringList, expected);
    QCOMPARE(portChoices(available, stored), expected);
}

void TestSetupDialog::firstStartSelectsNothing()
{
    QVERIFY(!QFile::exists(SettingsKeys::kFileName));
    SetupDialog dialog;

    QCOMPARE(dialog.windowTitle(), QString("串口设置"));
    QCOMPARE(dialog.minimumSize(), QSize(241, 150));
    QCOMPARE(dialog.maximumSize(), QSize(241, 150));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QVERIFY(!dialog.windowIcon().isNull());

    QCOMPARE(entries(portBox(dialog)), portChoices(availablePortNames(), QString()));
    QCOMPARE(
            entries(rateBox(dialog)),
            QStringList({"75", "110", "134", "150", "300", "600", "1200", "2400", "4800", "7200",
                         "9600", "14400", "19200", "38400", "43000", "57600", "115200", "128000"}));
    QCOMPARE(portBox(dialog)->currentIndex(), -1);
    QCOMPARE(rateBox(dialog)->currentIndex(), -1);
}

void TestSetupDialog::storedChoicesPreselected_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("expectedRate");

    QTest::newRow("absent port, listed rate") << "COM7"
                                              << "115200"
                                              << "115200";
    QTest::newRow("uncommon listed rate") << "ttyUSB3"
                                          << "43000"
                                          << "43000";
    QTest::newRow("rate not in list") << "COM7"
                                      << "43001"
                                      << "";
}

void TestSetupDialog::storedChoicesPreselected()
{
    QFETCH(QString, port);
    QFETCH(QString, rate);
    QFETCH(QString, expectedRate);
    storeSerial(port, rate);

    SetupDialog dialog;
    QCOMPARE(entries(portBox(dialog)), portChoices(availablePortNames(), port));
    QCOMPARE(portBox(dialog)->currentText(), port);
    QCOMPARE(rateBox(dialog)->currentText(), expectedRate);
    QCOMPARE(rateBox(dialog)->currentIndex() == -1, expectedRate.isEmpty());

    // Loading again shows every port once.
    dialog.loadConfig();
    QCOMPARE(entries(portBox(dialog)), portChoices(availablePortNames(), port));
}

void TestSetupDialog::refusals_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing stored") << QString() << QString() << "请选择串口!";
    QTest::newRow("no port, rate chosen") << QString() << "9600"
                                          << "请选择串口!";
    QTest::newRow("no rate") << "COM7" << QString() << "请选择波特率!";
    QTest::newRow("rate not in list") << "COM7"
                                      << "43001"
                                      << "请选择波特率!";
}

void TestSetupDialog::refusals()
{
    QFETCH(QString, port);
    QFETCH(QString, rate);
    QFETCH(QString, message);
    storeSerial(port, rate);
    const QVariant portBefore = config()->value(SettingsKeys::kSerialPort);
    const QVariant rateBefore = config()->value(SettingsKeys::kSerialBaudRate);

    SetupDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ModalBoxCloser closer;
    dialog.findChild<QPushButton *>(QStringLiteral("ok"))->click();

    QVERIFY(closer.seen);
    QCOMPARE(closer.title, QString("串口设置"));
    QCOMPARE(closer.text, message);
    QCOMPARE(closer.buttonCount, 1);

    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(config()->value(SettingsKeys::kSerialPort), portBefore);
    QCOMPARE(config()->value(SettingsKeys::kSerialBaudRate), rateBefore);
}

void TestSetupDialog::okStoresStringsAndReopens()
{
    storeSerial("COM7", "43001");
    {
        SetupDialog dialog;
        dialog.show();
        rateBox(dialog)->setCurrentText("43000");
        dialog.findChild<QPushButton *>(QStringLiteral("ok"))->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    const QVariant port = config()->value(SettingsKeys::kSerialPort);
    const QVariant rate = config()->value(SettingsKeys::kSerialBaudRate);
    QCOMPARE(port.userType(), int(QMetaType::QString));
    QCOMPARE(rate.userType(), int(QMetaType::QString));
    QCOMPARE(port.toString(), QString("COM7"));
    QCOMPARE(rate.toString(), QString("43000"));

    // Both survive a fresh start on the written file.
    singleton<Config>::destroyInstance();
    SetupDialog reopened;
    QCOMPARE(portBox(reopened)->currentText(), QString("COM7"));
    QCOMPARE(rateBox(reopened)->currentText(), QString("43000"));
}

void TestSetupDialog::cancelStoresNothing()
{
    storeSerial("COM7", QString());
    SetupDialog dialog;
    dialog.show();
    rateBox(dialog)->setCurrentText("9600");
    dialog.findChild<QPushButton *>(QStringLiteral("cancel"))->click();

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!config()->settings()->contains(SettingsKeys::kSerialBaudRate));
}

void TestSetupDialog::aboutBoxFixedWithTitle()
{
    NeutralAboutDialog dialog;
    QCOMPARE(dialog.minimumSize(), QSize(245, 112));
    QCOMPARE(dialog.maximumSize(), QSize(245, 112));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.windowTitle(), QString("关于"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelVersion"))->text(),
             QString("Norvo助手V3.5"));

    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("bntOK"));
    QCOMPARE(ok->text(), QString("确定"));
    QTimer::singleShot(0, ok, &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
}

void TestSetupDialog::aboutTitleFollowsTranslation()
{
    const QString lrelease = QStandardPaths::findExecutable(QStringLiteral("lrelease"));
    if (lrelease.isEmpty())
        QSKIP("lrelease is not available");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(QStringLiteral("en_US.ts"));
    const QString compiled = dir.filePath(QStringLiteral("en_US.qm"));
    QFile ts(source);
    QVERIFY(ts.open(QIODevice::WriteOnly));
    ts.write(R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context><name>QObject</name>
<message><source>Norvo助手</source><translation>Norvo Assistant </translation></message>
</context>
<context><name>NeutralAboutDialog</name>
<message><source>关于</source><translation>About</translation></message>
</context>
</TS>
)");
    ts.close();
    QCOMPARE(
            QProcess::execute(lrelease,
                              {QStringLiteral("-silent"), source, QStringLiteral("-qm"), compiled}),
            0);

    QTranslator translator;
    QVERIFY(translator.load(compiled));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    NeutralAboutDialog dialog;
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(dialog.windowTitle(), QString("About"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelVersion"))->text(),
             QString("Norvo Assistant V3.5"));
}

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
