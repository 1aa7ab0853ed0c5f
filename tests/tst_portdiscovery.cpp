#include "commandset.h"
#include "emptytreehint.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "portdetectthread.h"
#include "portnames.h"
#include "portstatuslabel.h"
#include "seriallink.h"
#include "setupdialog.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <functional>

using Arrange = std::function<QString(const QString &path)>; // returns a reason to skip
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr char kMissingPortText[] = "no port configured";
} // namespace

// Finding the instrument: the parallel search over ports and rates, the
// reasons a port does not open, and the setup dialog's list following the
// adapters plugged in and pulled out.
class TestPortDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void detectFindsEachInstrumentAtItsRate();
    void probeGivesUpOnLongestBrokenAnswer();
    void cancelledSearchStaysCancelled();
    void openFailureTold_data();
    void openFailureTold();
    void portListFollowsPlugging();
    void firstStartLeadsToSetup();

private:
    QTemporaryDir m_dir;
};

// Three instruments at different rates and one that never answers: exactly
// the three are found, each at its own rate, and the ports are probed side by
// side (the silent port, listed first, is the last to finish).
void TestPortDiscovery::detectFindsEachInstrumentAtItsRate()
{
    const std::array<int, 3> rates{19200, 9600, 115200};
    std::array<InstrumentSimulator, 3> sims;
    InstrumentSimulator silent;
    silent.faults().setSilent(true);
    QStringList ports;
    QVERIFY(silent.start());
    ports << silent.portName();
    for (size_t i = 0; i < sims.size(); ++i) {
        sims[i].setBaudRate(rates[i]);
        sims[i].setCheckLineSpeed(true);
        QVERIFY(sims[i].start());
        ports << sims[i].portName();
    }

    PortDetectThread thread;
    QList<PortProbeResult> probed;
    connect(&thread, &PortDetectThread::signalPortProbed, this,
            [&](const PortProbeResult &result) { probed.append(result); });
    // The silent port costs a full wait at each rate; eight rates keep the
    // test short while it outlasts every instrument's search by far.
    thread.setCandidates(ports, probeBaudRates().mid(0, 8));
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 20000);
    QCoreApplication::sendPostedEvents();

    QCOMPARE(probed.size(), 4);
    QCOMPARE(probed.last().port, silent.portName());
    QVERIFY(!probed.last().found());
    QVERIFY(probed.last().error.isEmpty());
    for (size_t i = 0; i < sims.size(); ++i) {
        const auto hit
                = std::find_if(probed.cbegin(), probed.cend(), [&](const PortProbeResult &r) {
                      return r.port == sims[i].portName();
                  });
        QVERIFY(hit != probed.cend());
        QCOMPARE(hit->baudRate, rates[i]);
        QCOMPARE(hit->device, QStringLiteral("NV-100 流量计"));
        // Nothing but the request for item 0 ever reached an instrument.
        for (const QByteArray &frame : sims[i].receivedFrames())
            QCOMPARE(frame, makeReadItemFrame(0));
    }
}

// An answer of the longest length whose CRC does not check, with more bytes
// behind it, is no instrument: the probe gives up on it instead of asking the
// port for no bytes over and over.
void TestPortDiscovery::probeGivesUpOnLongestBrokenAnswer()
{
    static InstrumentSimulator sim; // outlives a probe that never returns
    QVERIFY(sim.start());
    QByteArray answer = QByteArray::fromHex("FF03FF");
    answer.append(QByteArray(kLongestLegalAnswerBytes + 1 - answer.size(), '\x55'));
    sim.faults().replaceAnswers(answer);
    static std::atomic<bool> stop{false};
    static PortProbeResult probed;
    QThread *probing = QThread::create(
            [] { probed = probePort(sim.portName(), {SimTest::kBaudRate}, stop); });
    probing->start();
    QVERIFY2(probing->wait(10000), "the probe did not end"); // left running when it fails
    delete probing;
    QVERIFY(!probed.found());
}

// A cancelled search hides its progress and leaves the dialog usable while
// its probes still end; asking again meanwhile neither revives the cancelled
// search nor reports any result.
void TestPortDiscovery::cancelledSearchStaysCancelled()
{
    InstrumentSimulator silent;
    silent.faults().setSilent(true);
    QVERIFY(silent.start());
    SetupDialog dialog;
    dialog.setPortSource([&silent] {
        return QList<PortDescription>{{silent.portName(), QString(), QString()}};
    });
    dialog.show();
    auto *detect = child<QPushButton>(dialog, "bntDetect");
    ModalDriver driver;
    driver.plan([detect](QWidget *progress) {
        progress->findChild<QPushButton *>()->click();      // 取消
        QTimer::singleShot(0, detect, &QPushButton::click); // once this answer has returned
    });
    detect->click();
    QCOMPARE(driver.summaries(), QStringList{QStringLiteral("自动检测: ")});
}

void TestPortDiscovery::openFailureTold_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QString>("expected"); // %1: the port
    QTest::newRow("no port configured: the text stays the caller's")
            << Arrange([](const QString &) {
                   singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, QString());
                   return QString();
               })
            << QString::fromLatin1(kMissingPortText);
    QTest::newRow("no such port") << Arrange([](const QString &) {
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, "/dev/norvo-none");
        return QString();
    }) << "打开串口失败: /dev/norvo-none 不存在";
    QTest::newRow("held by another program") << Arrange([](const QString &path) {
        static QSerialPort holder; // the other program, until the next row
        holder.close();
        return openSerialPort(holder, path, SimTest::kBaudRate) ? QString() : holder.errorString();
    }) << "打开串口失败: %1 正被其他程序占用";
    QTest::newRow("exclusive terminal") << Arrange([](const QString &path) {
        if (geteuid() == 0)
            return QStringLiteral("root opens a terminal in exclusive mode all the same");
        static int held = -1; // the other program's descriptor, until the next run
        if (held >= 0)
            close(held);
        held = open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        return held >= 0 && ioctl(held, TIOCEXCL) == 0 ? QString() : QStringLiteral("no TIOCEXCL");
    }) << "打开串口失败: %1 正被其他程序占用";
    QTest::newRow("no permission") << Arrange([](const QString &path) {
        if (geteuid() == 0)
            return QStringLiteral("root may read and write any device");
        return chmod(path.toLocal8Bit().constData(), 0) == 0 ? QString()
                                                             : QStringLiteral("chmod failed");
    }) << "打开串口失败: 没有权限读写 %1。请把当前用户加入设备所属的组 %2";
}

// Each reason a port does not open has its own text, the one every front end shows.
void TestPortDiscovery::openFailureTold()
{
    QFETCH(Arrange, arrange);
    QFETCH(QString, expected);
    InstrumentSimulator sim;
    QCOMPARE(SimTest::startOnConfiguredPort(sim), QString());
    const QString skip = arrange(sim.portName());
    if (!skip.isEmpty())
        QSKIP(qPrintable(skip));

    QSerialPort port;
    QVERIFY(!openSerialPort(port));
    const QString text = openFailureText(port, QString::fromLatin1(kMissingPortText));
    expected.replace(QLatin1String("%1"), sim.portName());
    expected.replace(QLatin1String("%2"), QFileInfo(sim.portName()).group());
    QVERIFY2(text.startsWith(expected), qPrintable(text));
}

// Adapters plugged in and pulled out while the dialog is open show up and
// disappear within a poll; what the user chose or typed stays.
void TestPortDiscovery::portListFollowsPlugging()
{
    QStringList present{QStringLiteral("ttyUSB0"), QStringLiteral("ttyUSB1")};
    SetupDialog dialog;
    dialog.setPortSource([&present] {
        QList<PortDescription> ports;
        for (const QString &name : qAsConst(present))
            ports.append({name, QString(), QString()});
        return ports;
    });
    auto *box = dialog.findChild<QComboBox *>(QStringLiteral("port"));
    QVERIFY(box);
    box->setCurrentIndex(box->findText(QStringLiteral("ttyUSB1")));

    present.append(QStringLiteral("ttyACM0"));
    QTRY_VERIFY(box->findText(QStringLiteral("ttyACM0")) >= 0);
    present.removeAll(QStringLiteral("ttyUSB0"));
    QTRY_COMPARE(box->findText(QStringLiteral("ttyUSB0")), -1);
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB1"));

    box->lineEdit()->setText(QStringLiteral("/dev/pts/9"));
    present.removeAll(QStringLiteral("ttyACM0"));
    QTRY_COMPARE(box->findText(QStringLiteral("ttyACM0")), -1);
    QCOMPARE(box->currentText(), QStringLiteral("/dev/pts/9"));
}

// On a first start the empty tree says where to go; once the setup dialog
// has stored a port, the hint gives way and the status bar names port and rate.
void TestPortDiscovery::firstStartLeadsToSetup()
{
    MainWindow window;
    window.show();
    auto *hint = window.findChild<EmptyTreeHint *>();
    QVERIFY(hint);
    QTRY_VERIFY(hint->isVisible());
    QTRY_COMPARE(hint->geometry(), window.findChild<QTreeWidget *>()->viewport()->geometry());
    ModalDriver driver;
    driver.plan([](QWidget *modal) {
        modal->findChild<QComboBox *>(QStringLiteral("port"))->setEditText("/dev/ttyUSB0");
        auto *rates = modal->findChild<QComboBox *>(QStringLiteral("baudrate"));
        rates->setCurrentIndex(rates->findText(QStringLiteral("115200")));
        modal->findChild<QAbstractButton *>(QStringLiteral("ok"))->click();
    });
    window.slotCommunicationSetup();
    QVERIFY(!hint->isVisible());
    QCOMPARE(window.findChild<PortStatusLabel *>()->text(),
             QStringLiteral("/dev/ttyUSB0 · 115200"));
}

QTEST_MAIN(TestPortDiscovery)
#include "tst_portdiscovery.moc"
