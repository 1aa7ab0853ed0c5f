#include "commandset.h"
#include "refreshthread.h"
#include "simtestsupport.h"

#include <QtTest>

#include <functional>
#include <memory>

using Arrange = std::function<void(FaultPlan &)>;
Q_DECLARE_METATYPE(Arrange)

namespace {
constexpr int kRunTimeoutMs = 30000;
constexpr int kItems = 6;
constexpr int kFaultyItem = 4;

// The answers to count requests for item replaced by hex bytes and their CRC.
Arrange replaceAnswer(const char *hex, int item, int count = 1)
{
    QByteArray raw = QByteArray::fromHex(hex);
    appendCrc(raw);
    return Arrange([=](FaultPlan &f) { f.replaceAnswers(raw, count, item); });
}

// Name and value of each item; item 1's name is 130 GB2312 bytes, so its length byte is above 0x7F.
QStringList fields(int item)
{
    const QString name
            = item == 1 ? QString(65, QChar(0x6D4B)) : QStringLiteral("项目%1").arg(item);
    return {name, QString::number(item * 10)};
}
} // namespace

// Reading the item list from the simulated instrument, with the retry-once rule.
class TestRefreshThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup();
    void reading_data();
    void reading();
    void portCannotOpen_data();
    void portCannotOpen();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestRefreshThread::cleanup()
{
    m_sim.reset();
    SimTest::resetSettings();
}

void TestRefreshThread::reading_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<int>("added");     // signalAddItems emitted
    QTest::addColumn<QString>("error"); // showErrorMessage text, empty for none
    QTest::addColumn<int>("frames");    // requests the instrument received

    QTest::newRow("whole list") << Arrange() << kItems << QString() << kItems + 1;
    QTest::newRow("empty list") << replaceAnswer("FF0300", 0) << 0 << QString() << 1;
    QTest::newRow("dropped answer asked again")
            << Arrange([](FaultPlan &f) { f.dropAnswers(1, kFaultyItem); }) << kItems << QString()
            << kItems + 2;
    QTest::newRow("two CRC failures keep the earlier items")
            << Arrange([](FaultPlan &f) { f.corruptCrc(2, kFaultyItem); }) << kFaultyItem
            << "CRC校验错误" << kFaultyItem + 2;
    // Five text bytes announced, four sent, CRC valid: not asked again.
    QTest::newRow("length byte disagrees")
            << replaceAnswer("FF0305 61626364", 2) << 2 << "数据长度校验错误" << 3;
    QTest::newRow("wrong address")
            << replaceAnswer("FE0301 61", 1) << 1 << "地址或命令校验错误" << 2;
    QTest::newRow("answer shorter than 5 bytes")
            << replaceAnswer("FF03", 0) << 0 << "地址或命令校验错误" << 1;
    QTest::newRow("never-ending list stops after item 255")
            << replaceAnswer("FF0303 783A31", FaultPlan::kAnyItem, FaultPlan::kEveryTime)
            << RefreshThread::kLastItemNumber + 1 << QString()
            << RefreshThread::kLastItemNumber + 1;
}

void TestRefreshThread::reading()
{
    QFETCH(Arrange, arrange);
    QFETCH(int, added);
    QFETCH(QString, error);
    QFETCH(int, frames);

    m_sim = std::make_unique<InstrumentSimulator>();
    ItemSet items;
    for (int i = 0; i < kItems; ++i)
        items.append(SimItem(fields(i).at(0), fields(i).at(1)));
    m_sim->setItems(items);
    if (arrange)
        arrange(m_sim->faults());
    const QString simError = SimTest::startOnConfiguredPort(*m_sim);
    QVERIFY2(simError.isEmpty(), qPrintable(simError));

    RefreshThread thread;
    QSignalSpy cleared(&thread, &RefreshThread::signalClearItems);
    QSignalSpy rows(&thread, &RefreshThread::signalAddItems);
    QSignalSpy errors(&thread, &RefreshThread::showErrorMessage);
    thread.start();
    QVERIFY(thread.wait(kRunTimeoutMs));

    QCOMPARE(cleared.count(), 1);
    QCOMPARE(rows.count(), added);
    for (int i = 0; i < rows.count(); ++i) {
        QCOMPARE(rows.at(i).at(0).toInt(), i);
        if (added <= kItems)
            QCOMPARE(rows.at(i).at(1).toStringList(), fields(i));
    }
    QCOMPARE(errors.count(), error.isEmpty() ? 0 : 1);
    if (!error.isEmpty())
        QCOMPARE(errors.at(0), QVariantList({"刷新", error, ":/image/refresh.png"}));
    m_sim->waitForFrames(frames, 1000);
    QCOMPARE(m_sim->receivedFrames().size(), frames);
}

void TestRefreshThread::portCannotOpen_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("error");
    QTest::newRow("no port configured") << QString() << "串口打开失败";
    QTest::newRow("port missing") << "/dev/norvo-no-such-port"
                                  << "打开串口失败: /dev/norvo-no-such-port";
}

void TestRefreshThread::portCannotOpen()
{
    QFETCH(QString, port);
    QFETCH(QString, error);

    singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, port);
    RefreshThread thread;
    QSignalSpy cleared(&thread, &RefreshThread::signalClearItems);
    QSignalSpy errors(&thread, &RefreshThread::showErrorMessage);
    thread.start();
    QVERIFY(thread.wait(kRunTimeoutMs));

    QCOMPARE(cleared.count(), 0); // the tree keeps what it shows
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(1).toString(), error);
}

QTEST_GUILESS_MAIN(TestRefreshThread)
#include "tst_refreshthread.moc"
