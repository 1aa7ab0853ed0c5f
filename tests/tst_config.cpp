#include "config.h"
#include "settingskeys.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QThread>

#include <atomic>
#include <memory>
#include <vector>

// The settings store: one instance from many threads, flushed on destruction.
class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void oneInstanceFromManyThreads();
    void destroyFlushesFile();

private:
    QTemporaryDir m_dir;
};

void TestConfig::oneInstanceFromManyThreads()
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

void TestConfig::destroyFlushesFile()
{
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, "/dev/ttyS7");
    singleton<Config>::instance()->settings()->setValue(SettingsKeys::kWindowHeight, 800);
    singleton<Config>::destroyInstance();

    QFile file(SettingsKeys::kFileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    QVERIFY(contents.contains("[serial]\nport=/dev/ttyS7"));
    QVERIFY(contents.contains("[window]\nheight=800"));
    // A later instance() starts afresh on the same file.
    QCOMPARE(configuredPortName(), QString("/dev/ttyS7"));
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
