#include "bootframe.h"
#include "bootloadermode.h"
#include "commandset.h"
#include "config.h"
#include "configurationmode.h"
#include "historygenerator.h"
#include "instrumentsimulator.h"
#include "seriallink.h"
#include "settingskeys.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QSerialPort>
#include <QTemporaryDir>

#include <memory>

// The simulated instrument as a client on the line sees it.
class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void builtInItemsAreServed();
    void writeEcho_data();
    void writeEcho();
    void debugSwitch();
    void clock_data();
    void clock();
    void itemFile_data();
    void itemFile();
    void historyAnswer_data();
    void historyAnswer();
    void splitAndGarbledInput();
    void bootLoaderTakesImage();

private:
    // One exchange on a fresh port; the answer's text when it is a good data answer.
    QString exchangeText(const QByteArray &request, QByteArray *answer = nullptr);

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

static constexpr int kModeItem = 4;
static constexpr int kRangeItem = 9;
static constexpr int kSerialItem = 2;
static constexpr int kAlarmTimeItem = 13;
static constexpr int kNoteItem = 15;
static constexpr int kClockItem = 17;
static constexpr int kSaveItem = 18;
// The history reader stops at the first quiet time this long.
static constexpr int kHistoryQuietMs = 50;

void TestSimulator::initTestCase()
{
    QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
}

void TestSimulator::init()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    const QString error = SimTest::startOnConfiguredPort(*m_sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestSimulator::cleanup()
{
    m_sim.reset();
    SimTest::resetSettings();
}

QString TestSimulator::exchangeText(const QByteArray &request, QByteArray *answer)
{
    QSerialPort port;
    if (!openSerialPort(port))
        return QStringLiteral("<port did not open>");
    QByteArray received;
    const int status = sendAndReceive(port, request, received);
    if (answer)
        *answer = received;
    const QString linkError = linkErrorText(status, received);
    if (!linkError.isEmpty())
        return QStringLiteral("<%1>").arg(linkError);
    QString text;
    if (checkDataAnswer(received, &text) != DataAnswerCheck::Ok)
        return QStringLiteral("<malformed %1>").arg(QString::fromLatin1(received.toHex(' ')));
    return text;
}

void TestSimulator::builtInItemsAreServed()
{
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QStringList names;
    for (int item = 0; item < 256; ++item) {
        QByteArray answer;
        const int status = requestItem(port, item, answer);
        QVERIFY2(linkErrorText(status, answer).isEmpty(), qPrintable(QString::number(item)));
        QString text;
        QCOMPARE(checkDataAnswer(answer, &text), DataAnswerCheck::Ok);
        if (text.isEmpty()) {
            QCOMPARE(answer, QByteArray::fromHex("FF03004100"));
            break;
        }
        names << splitItemText(text).first();
    }
    QCOMPARE(names.size(), ItemSet::builtIn().count());
    QCOMPARE(names.first(), QStringLiteral("设备名称"));
    QCOMPARE(names.at(1), QStringLiteral("设备型号"));
    QVERIFY(names.contains(QStringLiteral("保存配置")));
    QVERIFY(names.contains(QStringLiteral("重启设备")));
}

void TestSimulator::writeEcho_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("echo");

    QTest::newRow("choice taken") << kModeItem << QStringLiteral("手动")
                                  << QStringLiteral("工作模式(自动/手动/测试):手动");
    QTest::newRow("choice outside the list refused")
            << kModeItem << QStringLiteral("半自动")
            << QStringLiteral("工作模式(自动/手动/测试):自动");
    QTest::newRow("number taken") << kRangeItem << QStringLiteral("600")
                                  << QStringLiteral("量程上限:600");
    QTest::newRow("text for a number refused")
            << kRangeItem << QStringLiteral("abc") << QStringLiteral("量程上限:500.0");
    QTest::newRow("read-only item keeps its value")
            << kSerialItem << QStringLiteral("X1") << QStringLiteral("序列号:NV2026120601");
    QTest::newRow("value with a colon")
            << kAlarmTimeItem << QStringLiteral("08:15") << QStringLiteral("报警时间:08:15");
    QTest::newRow("free text emptied") << kNoteItem << QString() << QStringLiteral("用户备注:");
    QTest::newRow("action item answers its name")
            << kSaveItem << QString() << QStringLiteral("保存配置");
    QTest::newRow("no such item") << 200 << QStringLiteral("1") << QString();
}

void TestSimulator::writeEcho()
{
    QFETCH(int, item);
    QFETCH(QString, value);
    QFETCH(QString, echo);

    QCOMPARE(exchangeText(makeWriteItemFrame(item, value)), echo);
    QCOMPARE(m_sim->itemText(item), echo);
    QCOMPARE(exchangeText(makeReadItemFrame(item)), echo);
}

void TestSimulator::debugSwitch()
{
    const auto switchAnswer = [](const char *state) {
        return ConfigurationMode::dataAnswer(encodeGb2312(QStringLiteral("调试:") + state));
    };
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray answer;
    const int status = sendAndReceive(port, makeWriteItemFrame(kDebugSwitchItem, "1"), answer);
    QCOMPARE(status, int(LinkOk));
    QCOMPARE(answer, switchAnswer("1"));
    QVERIFY(m_sim->debugOutputOn());

    // Debug text then keeps coming unasked.
    QByteArray unasked;
    QDeadlineTimer deadline(kFirstAnswerTimeoutMs);
    while (!unasked.contains("\r\n") && port.waitForReadyRead(int(deadline.remainingTime())))
        unasked += port.readAll();
    QVERIFY2(decodeGb2312(unasked).startsWith(QStringLiteral("DBG t=")), unasked.constData());

    // Debug text may still precede the answer to switching it off.
    port.write(makeWriteItemFrame(kDebugSwitchItem, "0"));
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QByteArray received;
    deadline.setRemainingTime(kFirstAnswerTimeoutMs);
    while (!received.endsWith(switchAnswer("0"))
           && port.waitForReadyRead(int(deadline.remainingTime())))
        received += port.readAll();
    QVERIFY2(received.endsWith(switchAnswer("0")), received.toHex(' ').constData());
    QVERIFY(!m_sim->debugOutputOn());
}

void TestSimulator::clock_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QDateTime>("stored");
    QTest::addColumn<int>("weekday");

    const QDateTime monday(QDate(2018, 3, 5), QTime(14, 7, 9));
    QTest::newRow("acknowledged and stored") << makeClockFrame(monday) << monday << 1;
    QByteArray month13 = QByteArray::fromHex("FF0F4D080003071213050E070901");
    appendCrc(month13);
    QTest::newRow("impossible date refused") << month13 << QDateTime() << 0;
}

void TestSimulator::clock()
{
    QFETCH(QByteArray, request);
    QFETCH(QDateTime, stored);
    QFETCH(int, weekday);

    QByteArray answer;
    const QString text = exchangeText(request, &answer);
    QCOMPARE(answer == clockAcknowledgement(), stored.isValid());
    QCOMPARE(m_sim->storedClock(), stored);
    QCOMPARE(m_sim->storedWeekday(), weekday);
    if (stored.isValid()) {
        const QString prefix = QStringLiteral("设备时间:") + stored.toString("yyyy-MM-dd hh:mm");
        QVERIFY(exchangeText(makeReadItemFrame(kClockItem)).startsWith(prefix));
    } else {
        QCOMPARE(text, QStringLiteral("NG"));
    }
}

void TestSimulator::itemFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("error");

    QTest::newRow("comments, read-only, action, colon value, CRLF, BOM")
            << QByteArray("\xEF\xBB\xBF# test set\r\n设备名称: X1 \r\n\r\n!序列号:42\r\n"
                          "报警时间:12:30\r\n   # indented comment\r\n重启设备\r\n")
            << QStringList{"设备名称:X1", "序列号:42", "报警时间:12:30", "重启设备"} << QString();
    QTest::newRow("no items at all") << QByteArray("# nothing\n") << QStringList() << QString();
    QTest::newRow("item without a name")
            << QByteArray("a:1\n:5\n") << QStringList() << QStringLiteral("line 2");
    QTest::newRow("read-only action item")
            << QByteArray("!保存配置\n") << QStringList() << QStringLiteral("line 1");
    QTest::newRow("text too long for one answer")
            << QByteArray("a:") + QByteArray(254, 'x') << QStringList() << QStringLiteral("line 1");
    QTest::newRow("character outside GB2312")
            << QByteArray("a:\xF0\x9F\x98\x80\n") << QStringList() << QStringLiteral("GB2312");
    QTest::newRow("not UTF-8") << QByteArray("a:\xFF\xFE\n") << QStringList()
                               << QStringLiteral("UTF-8");
    QByteArray tooMany;
    for (int i = 0; i <= ItemSet::kMaxItems; ++i)
        tooMany += "item" + QByteArray::number(i) + "\n";
    QTest::newRow("more items than numbers")
            << tooMany << QStringList() << QStringLiteral("line 256");
}

void TestSimulator::itemFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, texts);
    QFETCH(QString, error);

    const QString path = m_dir.filePath(QStringLiteral("items.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
    file.close();

    QString message;
    const bool loaded = m_sim->loadItems(path, &message);
    QCOMPARE(loaded, error.isEmpty());
    if (!loaded) {
        QVERIFY2(message.contains(error), qPrintable(message));
        QVERIFY(message.contains(path));
        QCOMPARE(m_sim->items().count(), ItemSet::builtIn().count());
        return;
    }
    // The instrument now serves exactly the file's items and then the empty answer.
    for (int item = 0; item < texts.size(); ++item)
        QCOMPARE(exchangeText(makeReadItemFrame(item)), texts.at(item));
    QCOMPARE(exchangeText(makeReadItemFrame(texts.size())), QString());
    QCOMPARE(exchangeText(makeWriteItemFrame(1, "7")), texts.value(1));
}

void TestSimulator::historyAnswer_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<int>("records");

    QTest::newRow("one day") << QDate(2018, 3, 1) << QDate(2018, 3, 1)
                             << HistoryGenerator::kRecordsPerDay;
    QTest::newRow("five weeks, many chunks")
            << QDate(2018, 1, 5) << QDate(2018, 2, 10) << 37 * HistoryGenerator::kRecordsPerDay;
    QTest::newRow("reversed range") << QDate(2018, 2, 10) << QDate(2018, 1, 5) << 0;
    QTest::newRow("long range capped")
            << QDate(2018, 1, 1) << QDate(2019, 12, 31) << HistoryGenerator::kMaxRecords;
}

void TestSimulator::historyAnswer()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(int, records);

    QByteArray data = QByteArray::fromHex("910004");
    for (const QDate &day : {first, last})
        data.append(char(day.year() % 100)).append(char(day.month())).append(char(day.day()));
    const QByteArray request = bootFrame(0x4E9F, 0x0007, data);

    // Read the way the history reader does: the answer ends at the first 50 ms of quiet.
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    port.write(request);
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(port.waitForReadyRead(kFirstAnswerTimeoutMs));
    QByteArray answer;
    do
        answer += port.readAll();
    while (port.waitForReadyRead(kHistoryQuietMs));

    const QStringList lines = decodeGb2312(answer).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + records);
    QCOMPARE(lines.first(), QStringLiteral("时间,温度,压力,流量"));
    if (records > 0) {
        QVERIFY(lines.at(1).startsWith(first.toString("yyyy-MM-dd") + " 00:00:00,"));
        QCOMPARE(lines.at(1).split(',').size(), 4);
    }
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{request});
}

void TestSimulator::splitAndGarbledInput()
{
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray badCrc = makeReadItemFrame(2);
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x01);
    const QByteArray good = makeReadItemFrame(1);

    port.write(QByteArray::fromHex("0013") + badCrc + good.left(3));
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(!m_sim->waitForFrames(1, kHistoryQuietMs));
    port.write(good.mid(3));
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(m_sim->waitForFrames(1, kFirstAnswerTimeoutMs));

    QByteArray answer;
    while (!checkCrc(answer) && port.waitForReadyRead(kAnswerQuietMs))
        answer += port.readAll();
    QString text;
    QCOMPARE(checkDataAnswer(answer, &text), DataAnswerCheck::Ok);
    QCOMPARE(text, ItemSet::builtIn().at(1).text());
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{good});
}

void TestSimulator::bootLoaderTakesImage()
{
    constexpr int kImageBytes = BootLoaderMode::kPageBytes + 476;
    QByteArray image;
    for (int i = 0; i < kImageBytes; ++i)
        image.append(char(i * 31 + 7));
    m_sim->enterBootLoader(QStringLiteral("NV-100A"));

    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray answer;
    QCOMPARE(sendAndReceive(port, bootFrame(0x293F, 0, {}), answer), LinkOk);
    QVERIFY2(decodeGb2312(answer).contains(QStringLiteral("!Find NV-100A OK")), answer.constData());

    QByteArray erase = QByteArray::fromHex("910004");
    erase.append(char(kImageBytes & 0xFF)).append(char(kImageBytes >> 8)).append(2, '\0');
    QCOMPARE(sendAndReceive(port, bootFrame(0x2FAC, 7, erase), answer), LinkOk);
    QCOMPARE(answer.toHex(' '),
             QByteArray("7e 02 05 01 01 00 13 01 00 10 45 72 61 73 65 20 4f 4b "
                        "0d 0a 00 00 00 c1 81 40 16 ad 7f"));

    for (int page = 0; page * BootLoaderMode::kPageBytes < kImageBytes; ++page) {
        QByteArray data = QByteArray::fromHex("910401");
        data.append(char(page));
        const QByteArray bytes
                = image.mid(page * BootLoaderMode::kPageBytes, BootLoaderMode::kPageBytes);
        data.append(bytes).append(BootLoaderMode::kPageBytes - bytes.size(), '\xFF');
        QCOMPARE(sendAndReceive(port, bootFrame(0x2C01, 0x0404, data), answer), LinkOk);
        QCOMPARE(
                answer,
                BootLoaderMode::textAnswer(QStringLiteral("Page[%1] OK\r\n").arg(page).toLatin1()));
        if (page == 0)
            QCOMPARE(answer.toHex(' '),
                     QByteArray("7e 02 05 01 01 00 0f 01 00 0c 50 61 67 65 5b "
                                "30 5d 20 4f 4b 0d 0a 73 50 7f"));
    }

    port.write(bootFrame(0x2A79, 0, {}));
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(m_sim->waitForFrames(5, kFirstAnswerTimeoutMs));
    QCOMPARE(m_sim->closingRequests(), 1);
    QCOMPARE(m_sim->flashedImage(), image);
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
