#include "config.h"
#include "settingskeys.h"

#include <QtTest>

#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <vector>

// The settings store: one instance from many threads, flushed on destruction.
class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void oneInstanceFromManyThreads();
    void destroyFlushesFile();
    void absentKeysReadEmpty();
    void lockExcludes();

private:
    QTemporaryDir m_dir;
};

void TestConfig::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void TestConfig::cleanup()
{
    singleton<Config>::destroyInstance();
    QFile::remove(SettingsKeys::kFileName);
}

void TestConfig::oneInstanceFromManyThreads()
{
    constexpr int kThreads = 16;
    std::atomic<bool> go{false};
    std::vector<Config *> seen(kThreads, nullptr);
    std::vector<QThread *> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.push_back(QThread::create([&, i] {
            while (!go.load())
                QThread::yieldCurrentThread();
            Config *config = singleton<Config>::instance();
            config->value(SettingsKeys::kSerialPort);
            seen[i] = config;
        }));
        threads.back()->start();
    }
    go = true;
    for (QThread *thread : threads) {
        QVERIFY(thread->wait(10000));
        delete thread;
    }
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
    QVERIFY(contents.contains("[serial]"));
    QVERIFY(contents.contains("port=/dev/ttyS7"));
    QVERIFY(contents.contains("[window]"));

    // A later instance() starts afresh on the same file.
    QCOMPARE(configuredPortName(), QString("/dev/ttyS7"));
}

void TestConfig::absentKeysReadEmpty()
{
    QCOMPARE(configuredPortName(), QString());
    QCOMPARE(configuredBaudRate(), 0);
    QVERIFY(!singleton<Config>::instance()->value(SettingsKeys::kLanguage).isValid());
}

void TestConfig::lockExcludes()
{
    atom_lock spin;
    QVERIFY(spin.try_acquire());
    QVERIFY(!spin.try_acquire());
    spin.release();

    // Two threads bumping a plain counter under the lock lose no update.
    constexpr int kRounds = 100000;
    int counter = 0;
    auto bump = [&] {
        for (int i = 0; i < kRounds; ++i) {
            spin.acquire();
            ++counter;
            spin.release();
        }
    };
    QThread *other = QThread::create(bump);
    other->start();
    bump();
    QVERIFY(other->wait(20000));
    delete other;
    QCOMPARE(counter, 2 * kRounds);
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
