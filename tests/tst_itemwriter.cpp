#include "commandset.h"
#include "config.h"
#include "instrumentsimulator.h"
#include "itemwriter.h"
#include "settingskeys.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QSerialPort>
#include <QTemporaryDir>

namespace {
constexpr int kFrameWaitMs = 2000;

enum Item { Name, Limit, Clock, Save };

ItemSet testItems()
{
    ItemSet items;
    items.append(SimItem(QStringLiteral("设备名称"), QStringLiteral("NV-1")));
    items.append(SimItem(QStringLiteral("流量上限"), QStringLiteral("5")));
    items.append(SimItem(QStringLiteral("报警时间"), QStringLiteral("12:30")));
    items.append(SimItem::action(QStringLiteral("保存配置")));
    return items;
}

// What the test does to the line before writing.
enum class Line { Good, Silent, NoSuchPort, PortInUse };
} // namespace

Q_DECLARE_METATYPE(ItemWriteOutcome)
Q_DECLARE_METATYPE(Line)

// Writing one item against the simulated instrument, and the bulk-write plan.
class TestItemWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void write_data();
    void write();
    void actionFrame();
    void tooLongSendsNothing();
    void longestValueIsSent();
    void bulkPlan();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestItemWriter::initTestCase()
{
    QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
}

void TestItemWriter::init()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    m_sim->setItems(testItems());
    const QString error = SimTest::startOnConfiguredPort(*m_sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestItemWriter::cleanup()
{
    m_sim.reset();
    SimTest::resetSettings();
}

void TestItemWriter::write_data()
{
    QTest::addColumn<Line>("line");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("fields");
    QTest::addColumn<ItemWriteOutcome>("outcome");
    QTest::addColumn<QString>("error"); // "%1" stands for the configured port
    QTest::addColumn<QString>("echoed");
    QTest::addColumn<bool>("taken");

    QTest::newRow("accepted") << Line::Good << int(Limit) << "12" << kValueItemFields
                              << ItemWriteOutcome::Written << ""
                              << "12" << true;
    QTest::newRow("refused, echo keeps the old value")
            << Line::Good << int(Limit) << "abc" << kValueItemFields << ItemWriteOutcome::Written
            << ""
            << "5" << false;
    QTest::newRow("text value") << Line::Good << int(Name) << "流量计 2" << kValueItemFields
                                << ItemWriteOutcome::Written << ""
                                << "流量计 2" << true;
    QTest::newRow("echo with three parts")
            << Line::Good << int(Clock) << "12:45" << kValueItemFields << ItemWriteOutcome::BadEcho
            << "硬件返回数据校验错误"
            << "" << false;
    QTest::newRow("action item, name-only echo")
            << Line::Good << int(Save) << "" << kActionItemFields << ItemWriteOutcome::Written << ""
            << "" << true;
    QTest::newRow("action expected, echo with a colon")
            << Line::Good << int(Limit) << "" << kActionItemFields << ItemWriteOutcome::BadEcho
            << "硬件返回数据校验错误"
            << "" << false;
    QTest::newRow("value expected, name-only echo")
            << Line::Good << int(Save) << "1" << kValueItemFields << ItemWriteOutcome::BadEcho
            << "硬件返回数据校验错误"
            << "" << false;
    QTest::newRow("silent instrument") << Line::Silent << int(Limit) << "12" << kValueItemFields
                                       << ItemWriteOutcome::LinkError << "接受数据超时"
                                       << "" << false;
    QTest::newRow("no such port") << Line::NoSuchPort << int(Limit) << "12" << kValueItemFields
                                  << ItemWriteOutcome::PortOpenFailed << "打开串口失败: %1"
                                  << "" << false;
    QTest::newRow("port in use") << Line::PortInUse << int(Limit) << "12" << kValueItemFields
                                 << ItemWriteOutcome::PortOpenFailed << "打开串口失败: %1"
                                 << "" << false;
}

void TestItemWriter::write()
{
    QFETCH(Line, line);
    QFETCH(int, item);
    QFETCH(QString, value);
    QFETCH(int, fields);
    QFETCH(ItemWriteOutcome, outcome);
    QFETCH(QString, error);
    QFETCH(QString, echoed);
    QFETCH(bool, taken);

    QSerialPort holder;
    if (line == Line::Silent)
        m_sim->faults().setSilent(true);
    if (line == Line::NoSuchPort)
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort,
                                                m_dir.filePath("ttyNone"));
    if (line == Line::PortInUse)
        QVERIFY(openSerialPort(holder));

    const ItemWriteResult result = writeItemToDevice(item, value, fields);
    QCOMPARE(result.outcome, outcome);
    if (error.contains(QLatin1String("%1")))
        error = error.arg(configuredPortName());
    QCOMPARE(result.errorText, error);
    QCOMPARE(result.isWritten(), outcome == ItemWriteOutcome::Written);
    QCOMPARE(result.echoedValue(), echoed);
    if (result.isWritten()) {
        QCOMPARE(result.echoParts.size(), fields);
        const QString valueText = fields == kValueItemFields ? ": " + result.echoedValue() : "";
        QCOMPARE(writeTaken(valueText, value), taken);
    }

    if (outcome == ItemWriteOutcome::PortOpenFailed) {
        QCOMPARE(m_sim->receivedByteCount(), 0);
    } else {
        QVERIFY(m_sim->waitForFrames(1, kFrameWaitMs));
        QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{makeWriteItemFrame(item, value)});
    }
}

void TestItemWriter::actionFrame()
{
    QVERIFY(writeItemToDevice(Save, QString(), kActionItemFields).isWritten());
    QByteArray expected("\xFF\x0F\x4B\x03\x00\x00\x01\x00", 8);
    appendCrc(expected);
    QVERIFY(m_sim->waitForFrames(1, kFrameWaitMs));
    QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{expected});
}

void TestItemWriter::tooLongSendsNothing()
{
    // 128 two-byte characters: 256 bytes, two more than the count byte allows.
    const ItemWriteResult result
            = writeItemToDevice(Name, QString(128, QChar(0x6D41)), kValueItemFields);
    QCOMPARE(result.outcome, ItemWriteOutcome::TooLong);
    QCOMPARE(result.errorText, itemValueTooLongText());
    QVERIFY(!result.errorText.isEmpty());
    QVERIFY(result.echoParts.isEmpty());
    QTest::qWait(100);
    QCOMPARE(m_sim->receivedByteCount(), 0);
    QVERIFY(m_sim->receivedFrames().isEmpty());
}

void TestItemWriter::longestValueIsSent()
{
    const QString value(kMaxItemTextBytes, QLatin1Char('x'));
    const ItemWriteResult result = writeItemToDevice(Name, value, kValueItemFields);
    // The instrument refuses a value whose echo would not fit, but the frame went out whole.
    QCOMPARE(result.outcome, ItemWriteOutcome::Written);
    QCOMPARE(result.echoedValue(), QStringLiteral("NV-1"));
    QVERIFY(m_sim->waitForFrames(1, kFrameWaitMs));
    const QByteArray frame = m_sim->receivedFrames().value(0);
    QCOMPARE(frame.size(), kMaxItemTextBytes + 10);
    QCOMPARE(quint8(frame.at(6)), quint8(kMaxItemTextBytes + 1));
}

void TestItemWriter::bulkPlan()
{
    const QStringList valueTexts{": 1", "", ":  x y ", "", ": ", ":a"};
    const QVector<BulkWriteStep> steps = bulkWritePlan(valueTexts);
    QStringList described;
    for (const BulkWriteStep &step : steps)
        described << QString::number(step.row) + '=' + step.value;
    QCOMPARE(described, QStringList({"0=1", "2=x y", "4=", "5=a"}));
    QVERIFY(bulkWritePlan({}).isEmpty());
}

QTEST_GUILESS_MAIN(TestItemWriter)
#include "tst_itemwriter.moc"
