#include "modaldriver.h"
#include "portnames.h"
#include "setupdialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include <atomic>
#include <memory>
#include <vector>

namespace {
Config *config()
{
    return singleton<Config>::instance();
}

QComboBox *box(SetupDialog &dialog, const char *name)
{
    return dialog.findChild<QComboBox *>(QString::fromLatin1(name));
}
} // namespace

// Serial setup dialog: port ordering, preselection, refusals, what OK and Cancel
// store; and the settings store behind it, one instance from many threads.
class TestSetupDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void portOrder();
    void okPressed_data();
    void okPressed();
    void closeButtons();
    void typedPort();
    void oneSettingsInstanceFromManyThreads();

private:
    QTemporaryDir m_dir;
};

void TestSetupDialog::portOrder()
{
    QCOMPARE(portChoices({"COM10", "COM3", "COM1"}, QString()),
             (QStringList{"COM1", "COM3", "COM10"}));
    // A stored port that is absent stays choosable; duplicates and empty names go.
    QCOMPARE(portChoices({"COM10", "", "COM3", "COM1", "COM3"}, "COM7"),
             (QStringList{"COM1", "COM3", "COM7", "COM10"}));
}

void TestSetupDialog::okPressed_data()
{
    QTest::addColumn<QString>("port"); // stored before the dialog opens
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("shownRate");
    QTest::addColumn<QString>("refusal"); // the box OK shows; empty when it accepts

    const auto row = [](const char *tag, const char *port, const char *rate, const char *shownRate,
                        const char *refusal) { // nullptr: a null text
        QTest::newRow(tag) << QString::fromUtf8(port) << QString::fromUtf8(rate)
                           << QString::fromUtf8(shownRate) << QString::fromUtf8(refusal);
    };
    row("first start selects nothing", nullptr, nullptr, nullptr, "请选择串口!");
    row("absent port preselected, listed rate", "COM7", "115200", "115200", nullptr);
    row("rate not in list", "COM7", "43001", nullptr, "请选择波特率!");
}

void TestSetupDialog::okPressed()
{
    QFETCH(QString, port);
    QFETCH(QString, rate);
    QFETCH(QString, shownRate);
    QFETCH(QString, refusal);
    if (!port.isNull())
        config()->setValue(SettingsKeys::kSerialPort, port);
    if (!rate.isNull())
        config()->setValue(SettingsKeys::kSerialBaudRate, rate);

    SetupDialog dialog;
    dialog.loadConfig(); // loading again shows every port once
    QCOMPARE(box(dialog, "port")->count(), portChoices(availablePortNames(), port).size());
    QCOMPARE(box(dialog, "port")->currentText(), port);
    QCOMPARE(box(dialog, "port")->currentIndex() == -1, port.isEmpty());
    QCOMPARE(box(dialog, "baudrate")->currentText(), shownRate);
    QCOMPARE(box(dialog, "baudrate")->currentIndex() == -1, shownRate.isEmpty());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ModalDriver driver;
    dialog.findChild<QPushButton *>("ok")->click();

    QCOMPARE(driver.summaries(),
             refusal.isEmpty() ? QStringList() : QStringList{"串口设置: " + refusal});
    QCOMPARE(dialog.isVisible(), !refusal.isEmpty());
    QCOMPARE(config()->value(SettingsKeys::kSerialPort).toString(), port);
    QCOMPARE(config()->value(SettingsKeys::kSerialBaudRate).toString(), rate);
}

// OK stores the typed rate as a string, Cancel nothing; both survive a fresh start.
void TestSetupDialog::closeButtons()
{
    config()->setValue(SettingsKeys::kSerialPort, "COM7");
    for (const char *button : {"cancel", "ok"}) {
        SetupDialog dialog;
        dialog.show();
        box(dialog, "baudrate")->setCurrentText("43000");
        dialog.findChild<QPushButton *>(button)->click();
        QVERIFY(!dialog.isVisible());
        const QVariant rate = config()->value(SettingsKeys::kSerialBaudRate);
        const QVariant expected = button == QLatin1String("ok") ? QVariant("43000") : QVariant();
        QCOMPARE(rate.userType(), expected.userType());
        QCOMPARE(rate, expected);
    }
    singleton<Config>::destroyInstance();
    SetupDialog reopened;
    QCOMPARE(box(reopened, "port")->currentText(), QString("COM7"));
    QCOMPARE(box(reopened, "baudrate")->currentText(), QString("43000"));
}

// A path the system does not list (a pseudo-terminal, a link to one) is typed
// in and stored as typed; the list is scanned again when it opens; both boxes
// stay under each other however long the path.
void TestSetupDialog::typedPort()
{
    const QString path
            = QStringLiteral("/tmp/norvo/a-rather-long-link-to-the-simulated-instrument");
    SetupDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QComboBox *port = box(dialog, "port");
    QComboBox *rate = box(dialog, "baudrate");
    port->lineEdit()->selectAll();
    QTest::keyClicks(port->lineEdit(), path);
    rate->setCurrentText("9600");

    const auto edges = [&dialog](QWidget *widget) {
        const QPoint left = widget->mapTo(&dialog, QPoint(0, 0));
        return qMakePair(left.x(), left.x() + widget->width());
    };
    QCOMPARE(edges(port), edges(rate));
    QVERIFY(edges(port).second <= dialog.width());

    config()->setValue(SettingsKeys::kSerialPort, "COM42"); // as if another window chose it
    port->showPopup();
    QVERIFY(port->findText("COM42") >= 0);
    QCOMPARE(port->currentText(), path); // what was typed survives the new list
    port->hidePopup();

    dialog.findChild<QPushButton *>("ok")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(config()->value(SettingsKeys::kSerialPort).toString(), path);

    SetupDialog reopened;
    QCOMPARE(box(reopened, "port")->currentText(), path);
}

void TestSetupDialog::oneSettingsInstanceFromManyThreads()
{
    constexpr int kThreads = 16;
    std::atomic<bool> go{false};
    std::vector<Config *> seen(kThreads, nullptr);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back(QThread::create([&, i] {
            while (!go.load())
                QThread::yieldCurrentThread();
            seen[i] = singleton<Config>::instance();
            seen[i]->setValue(SettingsKeys::kSerialPort, QString::number(i));
        }));
        threads.back()->start();
    }
    go = true;
    for (auto &thread : threads)
        QVERIFY(thread->wait(10000));
    for (Config *config : seen)
        QCOMPARE(config, singleton<Config>::instance());
}

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
