#include "commandset.h"
#include "itemwriter.h"
#include "simtestsupport.h"

#include <QtTest>

#include <functional>
#include <memory>

using Arrange = std::function<void(FaultPlan &)>;
Q_DECLARE_METATYPE(Arrange)
Q_DECLARE_METATYPE(ItemWriteOutcome)

namespace {
constexpr int kFrameWaitMs = 2000;
constexpr char kBadEcho[] = "硬件返回数据校验错误";
enum Item { Name, Limit, Clock, Save };
} // namespace

// Writing one item to the simulated instrument, and the bulk-write plan.
class TestItemWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void init();
    void cleanup();
    void write_data();
    void write();
    void bulkPlan();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestItemWriter::init()
{
    ItemSet items;
    items.append(SimItem(QStringLiteral("设备名称"), QStringLiteral("NV-1")));
    items.append(SimItem(QStringLiteral("流量上限"), QStringLiteral("5")));
    items.append(SimItem(QStringLiteral("报警时间"), QStringLiteral("12:30")));
    items.append(SimItem::action(QStringLiteral("保存配置")));
    m_sim = std::make_unique<InstrumentSimulator>();
    m_sim->setItems(items);
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
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("fields");
    QTest::addColumn<ItemWriteOutcome>("outcome");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("echoed");

    const Arrange good;
    const Arrange noSuchPort = [](FaultPlan &) {
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, "/dev/norvo-none");
    };
    QTest::newRow("accepted") << good << int(Limit) << "12" << kValueItemFields
                              << ItemWriteOutcome::Written << QString() << "12";
    QTest::newRow("refused, echo keeps the old value")
            << good << int(Limit) << "abc" << kValueItemFields << ItemWriteOutcome::Written
            << QString() << "5";
    QTest::newRow("echo with three parts") << good << int(Clock) << "12:45" << kValueItemFields
                                           << ItemWriteOutcome::BadEcho << kBadEcho << QString();
    QTest::newRow("action item, name-only echo")
            << good << int(Save) << QString() << kActionItemFields << ItemWriteOutcome::Written
            << QString() << QString();
    QTest::newRow("action expected, echo with a colon")
            << good << int(Limit) << QString() << kActionItemFields << ItemWriteOutcome::BadEcho
            << kBadEcho << QString();
    // The instrument refuses a value whose echo would not fit, but the frame goes out whole.
    QTest::newRow("longest value sent")
            << good << int(Name) << QString(kMaxItemTextBytes, 'x') << kValueItemFields
            << ItemWriteOutcome::Written << QString() << "NV-1";
    QTest::newRow("too long, nothing sent")
            << good << int(Name) << QString(128, QChar(0x6D41)) << kValueItemFields
            << ItemWriteOutcome::TooLong << "写入配置失败,数值过长" << QString();
    QTest::newRow("silent instrument")
            << Arrange([](FaultPlan &f) { f.setSilent(true); }) << int(Limit) << "12"
            << kValueItemFields << ItemWriteOutcome::LinkError << "接受数据超时" << QString();
    QTest::newRow("no such port") << noSuchPort << int(Limit) << "12" << kValueItemFields
                                  << ItemWriteOutcome::PortOpenFailed
                                  << "打开串口失败: /dev/norvo-none" << QString();
}

void TestItemWriter::write()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, item);
    QFETCH(QString, value);
    QFETCH(int, fields);
    QFETCH(ItemWriteOutcome, outcome);
    QFETCH(QString, error);
    QFETCH(QString, echoed);
    if (arrange)
        arrange(m_sim->faults());

    const ItemWriteResult result = writeItemToDevice(item, value, fields);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.errorText, error);
    QCOMPARE(result.echoedValue(), echoed);
    QCOMPARE(result.echoParts.size(), result.isWritten() ? fields : 0);
    if (outcome == ItemWriteOutcome::TooLong || outcome == ItemWriteOutcome::PortOpenFailed) {
        QCOMPARE(m_sim->receivedByteCount(), 0);
    } else {
        QVERIFY(m_sim->waitForFrames(1, kFrameWaitMs));
        QCOMPARE(m_sim->receivedFrames(), QList<QByteArray>{makeWriteItemFrame(item, value)});
    }
}

void TestItemWriter::bulkPlan()
{
    QStringList described;
    for (const BulkWriteStep &step : bulkWritePlan({": 1", "", ":  x y ", "", ": ", ":a"}))
        described << QString::number(step.row) + '=' + step.value;
    QCOMPARE(described, QStringList({"0=1", "2=x y", "4=", "5=a"}));
}

QTEST_GUILESS_MAIN(TestItemWriter)
#include "tst_itemwriter.moc"
