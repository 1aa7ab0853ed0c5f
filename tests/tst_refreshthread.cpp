#include "commandset.h"
#include "config.h"
#include "configurationmode.h"
#include "instrumentsimulator.h"
#include "refreshthread.h"
#include "settingskeys.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QTemporaryDir>

#include <memory>

namespace {
constexpr int kRunTimeoutMs = 30000;

// How the simulated instrument misbehaves in one case.
enum class Fault {
    None,
    EmptyList,
    DropItem4Once,
    CrcItem4Twice,
    ShortLength,
    WrongAddress,
    TooShort,
    Silent,
    NeverEnds,
};

QByteArray withCrc(QByteArray frame)
{
    appendCrc(frame);
    return frame;
}

ItemSet numberedItems(int count)
{
    ItemSet items;
    for (int i = 0; i < count; ++i)
        items.append(SimItem(QStringLiteral("项目%1").arg(i), QString::number(i * 10)));
    return items;
}
} // namespace

Q_DECLARE_METATYPE(Fault)

class TestRefreshThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void reading_data();
    void reading();
    void portCannotOpen_data();
    void portCannotOpen();
    void decodesItemTexts();

private:
    void startSimulator();

    QTemporaryDir m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestRefreshThread::initTestCase()
{
    QVERIFY(SimTest::enterTemporaryDirectory(m_dir));
}

void TestRefreshThread::cleanup()
{
    m_sim.reset();
    SimTest::resetSettings();
}

void TestRefreshThread::startSimulator()
{
    m_sim = std::make_unique<InstrumentSimulator>();
    const QString error = SimTest::startOnConfiguredPort(*m_sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestRefreshThread::reading_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("itemCount"); // items the instrument offers
    QTest::addColumn<int>("added");     // signalAddItems emitted
    QTest::addColumn<QString>("error"); // showErrorMessage text, empty for none
    QTest::addColumn<int>("frames");    // requests the instrument received

    QTest::newRow("whole list") << Fault::None << 6 << 6 << QString() << 7;
    QTest::newRow("empty list") << Fault::EmptyList << 0 << 0 << QString() << 1;
    QTest::newRow("dropped answer asked again") << Fault::DropItem4Once << 6 << 6 << QString() << 8;
    QTest::newRow("two CRC failures")
            << Fault::CrcItem4Twice << 6 << 4 << QStringLiteral("CRC校验错误") << 6;
    QTest::newRow("length byte disagrees")
            << Fault::ShortLength << 6 << 2 << QStringLiteral("数据长度校验错误") << 3;
    QTest::newRow("wrong address")
            << Fault::WrongAddress << 6 << 1 << QStringLiteral("地址或命令校验错误") << 2;
    QTest::newRow("answer shorter than 5 bytes")
            << Fault::TooShort << 6 << 0 << QStringLiteral("地址或命令校验错误") << 1;
    QTest::newRow("silent instrument")
            << Fault::Silent << 6 << 0 << QStringLiteral("接受数据超时") << 2;
    QTest::newRow("never-ending list stops after item 255")
            << Fault::NeverEnds << 6 << RefreshThread::kLastItemNumber + 1 << QString()
            << RefreshThread::kLastItemNumber + 1;
}

void TestRefreshThread::reading()
{
    QFETCH(Fault, fault);
    QFETCH(int, itemCount);
    QFETCH(int, added);
    QFETCH(QString, error);
    QFETCH(int, frames);

    startSimulator();
    m_sim->setItems(numberedItems(itemCount));
    FaultPlan &faults = m_sim->faults();
    switch (fault) {
    case Fault::None:
    case Fault::EmptyList:
        break;
    case Fault::DropItem4Once:
        faults.dropAnswers(1, 4);
        break;
    case Fault::CrcItem4Twice:
        faults.corruptCrc(2, 4);
        break;
    case Fault::ShortLength:
        // Announces five text bytes but carries four: nine bytes in all, CRC valid.
        faults.replaceAnswers(withCrc(QByteArray("\xFF\x03\x05"
                                                 "abcd",
                                                 7)),
                              1, 2);
        break;
    case Fault::WrongAddress:
        faults.replaceAnswers(withCrc(QByteArray("\xFE\x03\x01"
                                                 "a",
                                                 4)),
                              1, 1);
        break;
    case Fault::TooShort:
        faults.replaceAnswers(withCrc(QByteArray("\xFF\x03", 2)), 1, 0);
        break;
    case Fault::Silent:
        faults.setSilent(true);
        break;
    case Fault::NeverEnds:
        faults.replaceAnswers(ConfigurationMode::dataAnswer("x:1"), FaultPlan::kEveryTime);
        break;
    }

    RefreshThread thread;
    QSignalSpy cleared(&thread, &RefreshThread::signalClearItems);
    QSignalSpy items(&thread, &RefreshThread::signalAddItems);
    QSignalSpy errors(&thread, &RefreshThread::showErrorMessage);
    thread.start();
    QVERIFY(thread.wait(kRunTimeoutMs));

    QCOMPARE(cleared.count(), 1);
    QCOMPARE(items.count(), added);
    for (int i = 0; i < items.count(); ++i)
        QCOMPARE(items.at(i).at(0).toInt(), i);
    if (fault != Fault::NeverEnds) {
        for (int i = 0; i < added; ++i) {
            const QStringList expected{QStringLiteral("项目%1").arg(i), QString::number(i * 10)};
            QCOMPARE(items.at(i).at(1).toStringList(), expected);
        }
    }
    if (error.isEmpty()) {
        QCOMPARE(errors.count(), 0);
    } else {
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("刷新"));
        QCOMPARE(errors.at(0).at(1).toString(), error);
        QCOMPARE(errors.at(0).at(2).toString(), QStringLiteral(":/image/refresh.png"));
    }
    m_sim->waitForFrames(frames, 1000);
    QCOMPARE(m_sim->receivedFrames().size(), frames);
}

void TestRefreshThread::portCannotOpen_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("error");

    QTest::newRow("no port configured") << QString() << QStringLiteral("串口打开失败");
    QTest::newRow("port missing") << QStringLiteral("/dev/norvo-no-such-port")
                                  << QStringLiteral("打开串口失败: /dev/norvo-no-such-port");
}

void TestRefreshThread::portCannotOpen()
{
    QFETCH(QString, port);
    QFETCH(QString, error);

    singleton<Config>::instance()->setValue(QString::fromLatin1(SettingsKeys::kSerialPort), port);
    RefreshThread thread;
    QSignalSpy cleared(&thread, &RefreshThread::signalClearItems);
    QSignalSpy errors(&thread, &RefreshThread::showErrorMessage);
    thread.start();
    QVERIFY(thread.wait(kRunTimeoutMs));

    QCOMPARE(cleared.count(), 0); // the tree keeps what it shows
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(1).toString(), error);
}

void TestRefreshThread::decodesItemTexts()
{
    startSimulator();
    const QString longName = QString(65, QChar(0x6D4B)); // 130 GB2312 bytes
    ItemSet set;
    set.append(SimItem::action(QStringLiteral("abc")));
    set.append(SimItem::action(longName));
    set.append(SimItem::action(QStringLiteral("placeholder")));
    m_sim->setItems(set);
    m_sim->faults().replaceAnswers(
            ConfigurationMode::dataAnswer(encodeGb2312(QStringLiteral(" name : 12:30 "))), 1, 2);

    RefreshThread thread;
    QSignalSpy items(&thread, &RefreshThread::signalAddItems);
    thread.start();
    QVERIFY(thread.wait(kRunTimeoutMs));

    QCOMPARE(items.count(), 3);
    QCOMPARE(items.at(0).at(1).toStringList(), QStringList{QStringLiteral("abc")});
    QCOMPARE(items.at(1).at(1).toStringList(), QStringList{longName});
    const QStringList parts{QStringLiteral("name"), QStringLiteral("12"), QStringLiteral("30")};
    QCOMPARE(items.at(2).at(1).toStringList(), parts);
}

QTEST_GUILESS_MAIN(TestRefreshThread)
#include "tst_refreshthread.moc"
