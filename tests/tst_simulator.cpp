#include "bootframe.h"
#include "commandset.h"
#include "historygenerator.h"
#include "seriallink.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QSerialPort>

#include <memory>

// The history reader stops at the first quiet time this long.
static constexpr int kHistoryQuietMs = 50;

// What the other serial tests rely on in the simulated instrument: item files,
// history framing, and requests recognised only with a good CRC.
class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void init();
    void cleanup();
    void itemFile_data();
    void itemFile();
    void historyAnswer();
    void garbledAndSplitRequests();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

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

void TestSimulator::itemFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("error");

    QTest::newRow("comments, read-only, action, colon value, CRLF, BOM")
            << QByteArray("\xEF\xBB\xBF# test set\r\n设备名称: X1 \r\n\r\n!序列号:42\r\n"
                          "报警时间:12:30\r\n   # indented comment\r\n重启设备\r\n")
            << QStringList{"设备名称:X1", "序列号:42", "报警时间:12:30", "重启设备"} << QString();
    QTest::newRow("item without a name") << QByteArray("a:1\n:5\n") << QStringList() << "line 2";
    QTest::newRow("read-only action item")
            << QByteArray("!保存配置\n") << QStringList() << "line 1";
    QTest::newRow("text too long for one answer")
            << QByteArray("a:") + QByteArray(254, 'x') << QStringList() << "line 1";
    QTest::newRow("character outside GB2312")
            << QByteArray("a:\xF0\x9F\x98\x80\n") << QStringList() << "GB2312";
    QTest::newRow("not UTF-8") << QByteArray("a:\xFF\xFE\n") << QStringList() << "UTF-8";
    QByteArray tooMany;
    for (int i = 0; i <= ItemSet::kMaxItems; ++i)
        tooMany += "item" + QByteArray::number(i) + "\n";
    QTest::newRow("more items than numbers") << tooMany << QStringList() << "line 256";
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
    QCOMPARE(m_sim->loadItems(path, &message), error.isEmpty());
    if (!error.isEmpty()) {
        QVERIFY2(message.contains(error) && message.contains(path), qPrintable(message));
        QCOMPARE(m_sim->items().count(), ItemSet::builtIn().count());
        return;
    }
    QStringList loaded;
    for (const SimItem &item : m_sim->items().items())
        loaded << item.text();
    QCOMPARE(loaded, texts);
    if (texts.size() > 1)
        QVERIFY(m_sim->items().at(1).isReadOnly());
}

void TestSimulator::historyAnswer()
{
    // 2018-01-05 to 2018-02-10: 37 days in many chunks, read the way the history reader does.
    const QByteArray request
            = bootFrame(0x4E9F, 0x0007, QByteArray::fromHex("910004 120105 12020A"));
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
    QCOMPARE(lines.size(), 1 + 37 * HistoryGenerator::kRecordsPerDay);
    QCOMPARE(lines.first(), QStringLiteral("时间,温度,压力,流量"));
    QVERIFY(lines.at(1).startsWith("2018-01-05 00:00:00,"));
    QCOMPARE(lines.last().split(',').size(), 4);
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{request});
}

void TestSimulator::garbledAndSplitRequests()
{
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray badCrc = makeReadItemFrame(2);
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x01);
    const QByteArray good = makeReadItemFrame(1);
    const QByteArray head = QByteArray::fromHex("0013") + badCrc + good.left(3);

    port.write(head);
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(!m_sim->waitForFrames(1, kHistoryQuietMs));
    port.write(good.mid(3));
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(m_sim->waitForFrames(1, kFirstAnswerTimeoutMs));
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{good});
    // Other tests prove "nothing was sent" with this count, so it must see every byte.
    QCOMPARE(m_sim->receivedByteCount(), qint64(head.size() + good.size() - 3));
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
