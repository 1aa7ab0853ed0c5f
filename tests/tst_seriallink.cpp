#include "commandset.h"
#include "config.h"
#include "configurationmode.h"
#include "instrumentsimulator.h"
#include "seriallink.h"
#include "settingskeys.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QSerialPort>
#include <QTemporaryDir>

#include <memory>
#include <thread>

// The exchange with a simulated instrument on a pseudo terminal, well and badly behaved.
class TestSerialLink : public QObject
{
    Q_OBJECT

public:
    enum Fault {
        NoFault,
        ThreeChunks,
        ChunksBeyondQuietTime,
        ExtraByte,
        CorruptCrc,
        ShortButValidCrc,
        DroppedAnswer,
        Silent,
    };
    Q_ENUM(Fault)

    enum Vanish {
        BeforeRequest,
        BeforeAnswer,
        BetweenChunks,
    };
    Q_ENUM(Vanish)

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void exchange_data();
    void exchange();
    void noConfiguredPortWritesNothing();
    void heldPortCannotBeOpenedTwice();
    void endlessStreamIsCutOff();
    void vanishingPort_data();
    void vanishingPort();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

static constexpr int kReadItem = 0;
static constexpr int kSplitGapMs = 200;
static constexpr int kGapBeyondQuietMs = kAnswerQuietMs + 200;
// Long enough for the first chunk to be on the line, short of the next one.
static constexpr int kInsideSplitGapMs = kSplitGapMs / 2;

static QByteArray goodItemAnswer()
{
    return ConfigurationMode::dataAnswer(encodeGb2312(ItemSet::builtIn().at(kReadItem).text()));
}

void TestSerialLink::initTestCase()
{
    QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
}

void TestSerialLink::init()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    const QString error = SimTest::startOnConfiguredPort(*m_sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestSerialLink::cleanup()
{
    m_sim.reset();
    SimTest::resetSettings();
}

void TestSerialLink::exchange_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("answer");

    const QByteArray good = goodItemAnswer();
    const QString crcError = QStringLiteral("CRC校验错误");
    QTest::newRow("good answer") << NoFault << int(LinkOk) << QString() << good;
    QTest::newRow("three chunks 200 ms apart returned whole")
            << ThreeChunks << int(LinkOk) << QString() << good;
    QTest::newRow("gap beyond the quiet time ends the answer")
            << ChunksBeyondQuietTime << int(LinkOk) << crcError << good.left(good.size() / 2);
    QTest::newRow("extra byte in the same chunk")
            << ExtraByte << int(LinkOk) << crcError << good + '\x55';
    QByteArray corrupted = good;
    corrupted[corrupted.size() - 1] = static_cast<char>(~corrupted.at(corrupted.size() - 1));
    QTest::newRow("corrupted CRC") << CorruptCrc << int(LinkOk) << crcError << corrupted;
    // The link only vouches for the CRC; the length byte is the caller's to check.
    QByteArray shortAnswer = QByteArray::fromHex("FF030531323334");
    appendCrc(shortAnswer);
    QTest::newRow("valid CRC around a wrong length byte")
            << ShortButValidCrc << int(LinkOk) << QString() << shortAnswer;
    QTest::newRow("dropped answer") << DroppedAnswer << int(LinkReceiveTimeout)
                                    << QStringLiteral("接受数据超时") << QByteArray();
    QTest::newRow("silent instrument")
            << Silent << int(LinkReceiveTimeout) << QStringLiteral("接受数据超时") << QByteArray();
}

void TestSerialLink::exchange()
{
    QFETCH(Fault, fault);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QByteArray, answer);

    FaultPlan &faults = m_sim->faults();
    QByteArray shortAnswer = QByteArray::fromHex("FF030531323334");
    appendCrc(shortAnswer);
    switch (fault) {
    case NoFault:
        break;
    case ThreeChunks:
        faults.splitAnswers(3, kSplitGapMs);
        break;
    case ChunksBeyondQuietTime:
        faults.splitAnswers(2, kGapBeyondQuietMs);
        break;
    case ExtraByte:
        faults.appendExtraByte(1, kReadItem, '\x55');
        break;
    case CorruptCrc:
        faults.corruptCrc(1, kReadItem);
        break;
    case ShortButValidCrc:
        faults.replaceAnswers(shortAnswer);
        break;
    case DroppedAnswer:
        faults.dropAnswers(1, kReadItem);
        break;
    case Silent:
        faults.setSilent(true);
        break;
    }

    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray received;
    const int result = requestItem(port, kReadItem, received);
    QCOMPARE(result, status);
    QCOMPARE(linkErrorText(result, received), message);
    QCOMPARE(received.toHex(' '), answer.toHex(' '));
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{makeReadItemFrame(kReadItem)});

    // A fault spent on one answer leaves the next one alone.
    if (fault == DroppedAnswer || fault == ExtraByte || fault == CorruptCrc) {
        QCOMPARE(requestItem(port, kReadItem, received), LinkOk);
        QCOMPARE(received, goodItemAnswer());
    }
}

void TestSerialLink::noConfiguredPortWritesNothing()
{
    SimTest::resetSettings();

    QSerialPort port;
    QVERIFY(!openSerialPort(port));
    QVERIFY(!port.isOpen());
    QCOMPARE(m_sim->receivedByteCount(), qint64(0));
}

void TestSerialLink::heldPortCannotBeOpenedTwice()
{
    QByteArray answer;
    {
        QSerialPort holder;
        QVERIFY(openSerialPort(holder));
        QSerialPort second;
        QVERIFY(!openSerialPort(second));
        QCOMPARE(requestItem(holder, kReadItem, answer), LinkOk);
    }
    // Once the holder has closed, the same port opens and answers again.
    QSerialPort again;
    QVERIFY(openSerialPort(again));
    QCOMPARE(requestItem(again, kReadItem, answer), LinkOk);
    QCOMPARE(answer, goodItemAnswer());
    QCOMPARE(m_sim->receivedFrames().size(), 2);
}

void TestSerialLink::endlessStreamIsCutOff()
{
    m_sim->faults().streamAfterNextRequest();
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray answer;
    const int status = requestItem(port, kReadItem, answer);
    QCOMPARE(status, int(LinkOk));
    QCOMPARE(linkErrorText(status, answer), QStringLiteral("CRC校验错误"));
    QVERIFY(!answer.isEmpty());
    QVERIFY(answer.size() <= kMaxAnswerBytes);
    QCOMPARE(answer.count(FaultPlan::kStreamByte), answer.size());
}

void TestSerialLink::vanishingPort_data()
{
    QTest::addColumn<Vanish>("when");
    QTest::newRow("before the request") << BeforeRequest;
    QTest::newRow("before the answer") << BeforeAnswer;
    QTest::newRow("between answer chunks") << BetweenChunks;
}

void TestSerialLink::vanishingPort()
{
    QFETCH(Vanish, when);

    QSerialPort port;
    QVERIFY(openSerialPort(port));
    std::thread stopper;
    if (when == BeforeRequest) {
        m_sim->stop();
    } else {
        if (when == BeforeAnswer)
            m_sim->faults().setSilent(true);
        else
            m_sim->faults().splitAnswers(3, kSplitGapMs);
        InstrumentSimulator *sim = m_sim.get();
        stopper = std::thread([sim, when] {
            sim->waitForFrames(1, kFirstAnswerTimeoutMs);
            if (when == BetweenChunks)
                std::this_thread::sleep_for(std::chrono::milliseconds(kInsideSplitGapMs));
            sim->stop();
        });
    }

    QByteArray answer;
    const int status = requestItem(port, kReadItem, answer);
    if (stopper.joinable())
        stopper.join();
    QVERIFY(!linkErrorText(status, answer).isEmpty());
    QVERIFY(answer.size() < goodItemAnswer().size());
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
