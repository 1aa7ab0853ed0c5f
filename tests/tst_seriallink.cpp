#include "bootframe.h"
#include "bootloaderframes.h"
#include "commandset.h"
#include "configurationmode.h"
#include "historyrequest.h"
#include "seriallink.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QProcess>
#include <QSerialPort>

#include <csignal>
#include <functional>
#include <memory>
#include <thread>

using Arrange = std::function<void(FaultPlan &)>;
Q_DECLARE_METATYPE(Arrange)
Q_DECLARE_METATYPE(DataAnswerCheck)

namespace {
constexpr int kItem = 0;
constexpr int kSplitGapMs = 200;

QByteArray goodAnswer()
{
    return ConfigurationMode::dataAnswer(encodeGb2312(ItemSet::builtIn().at(kItem).text()));
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray withCrc(QByteArray frame)
{
    appendCrc(frame);
    return frame;
}
} // namespace

// The link layer: the instrument's and the boot-loader's frames, CRC and answer
// checks against byte-exact vectors; the exchange with a simulated instrument
// on a pseudo terminal, well and badly behaved; and the simulator program the
// demo runs, reachable through its link.
class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void init()
    {
        m_sim = std::make_unique<InstrumentSimulator>();
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim), QString());
    }
    void cleanup()
    {
        m_sim.reset();
        SimTest::resetSettings();
    }
    void checkCrcVectors_data();
    void checkCrcVectors();
    void frames_data();
    void frames();
    void dataAnswer_data();
    void dataAnswer();
    void exchange_data();
    void exchange();
    void endlessStreamIsCutOff();
    void vanishingPort_data();
    void vanishingPort();
    void simulatorProgramWithLinkAndItemFile();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestSerialLink::exchange_data()
{
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<int>("item"); // past the last item: the end-of-list answer
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("answer");

    const QByteArray good = goodAnswer();
    const auto row = [](const char *tag, const QString &message, const QByteArray &answer,
                        const Arrange &arrange) {
        QTest::newRow(tag) << SimTest::kBaudRate << kItem << arrange << message << answer;
    };
    row("three chunks 200 ms apart returned whole", QString(), good,
        [](FaultPlan &f) { f.splitAnswers(3, kSplitGapMs); });
    // No gap reaches the quiet time, so a trickle of many seconds is one answer.
    row("twenty chunks 450 ms apart returned whole", QString(), good,
        [](FaultPlan &f) { f.splitAnswers(20, 450); });
    row("gap beyond the quiet time ends the answer", "CRC校验错误", good.left(good.size() / 2),
        [](FaultPlan &f) { f.splitAnswers(2, kAnswerQuietMs + kSplitGapMs); });
    row("extra non-zero byte", "CRC校验错误", good + '\x55',
        [](FaultPlan &f) { f.appendExtraByte(1, kItem, '\x55'); });

    // However the line splits an answer, the exchange ends with all of it; the
    // end-of-list answer FF 03 00 41 00 checks after four bytes already.
    for (int baudRate : {SimTest::kSlowBaudRate, SimTest::kBaudRate}) {
        for (int item : {ItemSet::builtIn().count(), kItem}) {
            const QByteArray whole = item == kItem ? good : hex("FF 03 00 41 00");
            for (int cut = 0; cut < whole.size(); ++cut) { // 0: every byte on its own
                QTest::addRow("%d baud, item %d, cut after %d", baudRate, item, cut)
                        << baudRate << item << Arrange([cut, whole](FaultPlan &f) {
                               if (cut == 0)
                                   f.splitAnswers(whole.size(), kSplitGapMs / 10);
                               else
                                   f.splitAnswersAt(cut, kSplitGapMs / 10);
                           })
                        << QString() << whole;
            }
        }
    }
}

void TestSerialLink::exchange()
{
    QFETCH(int, baudRate);
    QFETCH(int, item);
    QFETCH(Arrange, arrange);
    QFETCH(QString, message);
    QFETCH(QByteArray, answer);
    if (baudRate != SimTest::kBaudRate) {
        m_sim->stop();
        QCOMPARE(SimTest::startOnConfiguredPort(*m_sim, baudRate), QString());
    }
    arrange(m_sim->faults());

    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray received;
    QCOMPARE(linkErrorText(requestItem(port, item, received), received), message);
    QCOMPARE(received.toHex(' '), answer.toHex(' '));
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{makeReadItemFrame(item)});
    if (message.isEmpty())
        return;
    // Whatever comes late of a spoiled answer must not spoil the next exchange.
    QTest::qWait(2 * kSplitGapMs);
    QCOMPARE(requestItem(port, kItem, received), LinkOk);
    QCOMPARE(received, goodAnswer());
}

void TestSerialLink::endlessStreamIsCutOff()
{
    m_sim->faults().streamAfterNextRequest();
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray answer;
    QCOMPARE(linkErrorText(requestItem(port, kItem, answer), answer),
             QStringLiteral("CRC校验错误"));
    QVERIFY(!answer.isEmpty() && answer.size() <= kMaxAnswerBytes);
    QCOMPARE(answer.count(FaultPlan::kStreamByte), answer.size());
}

void TestSerialLink::vanishingPort_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("stopAfterMs"); // after the request arrived; -1: before it is sent

    QTest::newRow("before the request") << Arrange() << -1;
    QTest::newRow("before the answer") << Arrange([](FaultPlan &f) { f.setSilent(true); }) << 0;
    QTest::newRow("between answer chunks")
            << Arrange([](FaultPlan &f) { f.splitAnswers(3, kSplitGapMs); }) << kSplitGapMs / 2;
}

void TestSerialLink::vanishingPort()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, stopAfterMs);
    if (arrange)
        arrange(m_sim->faults());

    QSerialPort port;
    QVERIFY(openSerialPort(port));
    if (stopAfterMs < 0)
        m_sim->stop();
    std::thread stopper([sim = m_sim.get(), stopAfterMs] {
        if (stopAfterMs >= 0 && sim->waitForFrames(1, kFirstAnswerTimeoutMs)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(stopAfterMs));
            sim->stop();
        }
    });
    QByteArray answer;
    const int status = requestItem(port, kItem, answer);
    stopper.join();
    QCOMPARE(status, int(LinkPortLost));
    QCOMPARE(linkErrorText(status, answer), QStringLiteral("串口已断开"));
    QVERIFY(answer.size() < goodAnswer().size());
}

// The demo's way: the simulator program behind a link, serving an item file.
void TestSerialLink::simulatorProgramWithLinkAndItemFile()
{
    QVERIFY(SimTest::writeFile(QStringLiteral("items.txt"), "设备型号:NV-7\n"));
    const QString link = m_dir.filePath(QStringLiteral("ttyNorvo"));
    QProcess sim;
    sim.start(QStringLiteral(NORVO_SIM_PROGRAM),
              {"--items", "items.txt", "--link", link, "--latency", "0"});
    QVERIFY(sim.waitForReadyRead(kFirstAnswerTimeoutMs));
    QVERIFY(sim.readLine().trimmed().startsWith("/dev/pts/"));
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, link);
    {
        QSerialPort port;
        QVERIFY(openSerialPort(port));
        QByteArray answer;
        QCOMPARE(requestItem(port, 0, answer), LinkOk);
        QString text;
        QCOMPARE(checkDataAnswer(answer, &text), DataAnswerCheck::Ok);
        QCOMPARE(text, QStringLiteral("设备型号:NV-7"));
    }
    ::kill(pid_t(sim.processId()), SIGTERM);
    QVERIFY(sim.waitForFinished(kFirstAnswerTimeoutMs));
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink()); // the link is removed on the way out
}

void TestSerialLink::checkCrcVectors_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("valid");
    const auto row = [](const char *tag, const QByteArray &frame, bool valid) {
        QTest::newRow(tag) << frame << valid;
    };
    row("clock ack", hex("FF 03 02 4F 4B E5 97"), true);
    row("check value 0x4B37, low byte first", QByteArray("123456789\x37\x4B"), true);
    row("high byte first", QByteArray("123456789\x4B\x37"), false);
    row("empty", QByteArray(), false);
    // FF FF is the CRC of nothing, yet two bytes are no frame.
    row("two bytes", hex("FF FF"), false);
    // The CRC's high byte shifts out to exactly the low byte, so a trailing zero checks again.
    row("extra zero byte checks again", hex("FF 03 02 4F 4B E5 97 00"), true);
}

void TestSerialLink::checkCrcVectors()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, valid);
    QCOMPARE(checkCrc(frame), valid);
    QCOMPARE(linkErrorText(LinkOk, frame), valid ? QString() : QStringLiteral("CRC校验错误"));
}

void TestSerialLink::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char *tag, const QByteArray &frame, const QByteArray &expected) {
        QTest::newRow(tag) << frame << expected;
    };
    row("read 261 sends low byte", makeReadItemFrame(261), hex("FF 03 4B 05 00 00 57 F1"));
    row("write action item", makeWriteItemFrame(3, QString()),
        hex("FF 0F 4B 03 00 00 01 00 BA 24"));
    row("write GB2312 text", makeWriteItemFrame(4, "手动"),
        withCrc(hex("FF 0F 4B 04 00 00 05 CA D6 B6 AF 00")));
    // The count byte 255 covers 254 text bytes and the terminating zero; longer makes no frame.
    row("write 254 bytes", makeWriteItemFrame(7, QString(254, 'a')),
        withCrc(hex("FF 0F 4B 07 00 00 FF") + QByteArray(254, 'a') + '\0'));
    row("write 255 bytes", makeWriteItemFrame(7, QString(255, 'a')), QByteArray());
    row("write 128 chinese characters", makeWriteItemFrame(7, QString(128, QChar(0x6D4B))),
        QByteArray());
    row("clock, monday", makeClockFrame(QDateTime(QDate(2018, 3, 5), QTime(14, 7, 9))),
        hex("FF 0F 4D 08 00 03 07 12 03 05 0E 07 09 01 59 E0"));
    row("clock, sunday 7, year 2000 sends 0",
        makeClockFrame(QDateTime(QDate(2000, 1, 2), QTime(23, 59, 59))),
        withCrc(hex("FF 0F 4D 08 00 03 07 00 01 02 17 3B 3B 07")));
    // The history request's length field (7) differs from its data's (9).
    row("history, 5 January to 10 February 2018",
        makeHistoryRequest(QDate(2018, 1, 5), QDate(2018, 2, 10)),
        hex("7E 05 02 4E 9F 00 07 91 00 04 12 01 05 12 02 0A FA AC 7F"));
    row("history, 2000 and 2099 without the century",
        makeHistoryRequest(QDate(2000, 1, 1), QDate(2099, 12, 31)),
        bootFrame(0x4E9F, 7, hex("91 00 04 00 01 01 63 0C 1F")));
    // The boot-loader's requests and the answers expected to them.
    row("boot identification", bootIdentifyRequest(), hex("7E0502293F0000C2C47F"));
    row("boot closing", bootClosingRequest(), hex("7E05022A79000053257F"));
    row("boot erase 74565 bytes, size little-endian", bootEraseRequest(74565),
        hex("7E05022FAC0007 91000445230100 6DA8 7F"));
    row("boot erase answer", bootEraseAnswer(),
        hex("7E020501010013010010 45726173 65204F4B 0D0A 000000C18140 16AD 7F"));
    const QByteArray filled(kBootPageBytes, '\xAB');
    row("boot page 255 of AB", bootPageRequest(filled.constData(), 255),
        hex("7E05022C010404 910401FF") + filled + hex("22F37F"));
    row("boot page 0 answer", bootPageAnswer(0),
        hex("7E02050101000F01000C 506167655B305D204F4B0D0A 7350 7F"));
    row("boot page 100 answer, 14 text bytes", bootPageAnswer(100),
        hex("7E02050101001101000E 506167655B3130305D204F4B0D0A 6AA4 7F"));
}

void TestSerialLink::frames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestSerialLink::dataAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<DataAnswerCheck>("result");
    QTest::addColumn<QStringList>("fields"); // name and value: the text split at its first colon
    const auto answer = [](const QByteArray &data) {
        return withCrc(hex("FF 03") + char(data.size()) + data);
    };
    const auto row = [](const char *tag, const QByteArray &answer, DataAnswerCheck result,
                        const QStringList &fields) {
        QTest::newRow(tag) << answer << result << fields;
    };
    const auto ok = DataAnswerCheck::Ok, badHead = DataAnswerCheck::AddressOrFunctionError;
    row("end of list", hex("FF 03 00 41 00"), ok, {""});
    row("GB2312 name and value", answer(encodeGb2312("设备名称:NV-100")), ok,
        {"设备名称", "NV-100"});
    row("no colon", answer("abc"), ok, {"abc"});
    row("value with colons, trimmed", answer(" name : 12:30 "), ok, {"name", "12:30"});
    row("empty value kept", answer("name:"), ok, {"name", ""});
    row("four bytes", hex("FF 03 00 41"), badHead, {});
    row("wrong function", withCrc(hex("FF 04 00")), badHead, {});
    row("length 5 with 4 data bytes", withCrc(hex("FF 03 05 61 62 63 64")),
        DataAnswerCheck::DataLengthError, {});
}

void TestSerialLink::dataAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(DataAnswerCheck, result);
    QFETCH(QStringList, fields);
    QString decoded;
    QCOMPARE(checkDataAnswer(answer, &decoded), result);
    QCOMPARE(result == DataAnswerCheck::Ok ? ::splitItemText(decoded) : QStringList(), fields);
    QVERIFY(result == DataAnswerCheck::Ok || decoded.isEmpty());
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
