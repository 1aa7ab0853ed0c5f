#include "updatetestsupport.h"

using namespace UpdateTest;

// Fast completion against the normal exchange: the same requests, answers and
// outcome, also when answers trickle in at 9600 baud or arrive in pieces; and
// the page index past 256 pages.
class TestFastCompletion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void modesAgree_data();
    void modesAgree();
    void pageIndexWraps();

private:
    QTemporaryDir m_dir;
};

// Past 256 pages the one-byte index starts again at 0, and the answers expected with it.
void TestFastCompletion::pageIndexWraps()
{
    InstrumentSimulator sim;
    sim.setBaudRate(1000000);
    sim.setLatencyMs(0);
    QVERIFY(startBootLoader(sim, kModel, closingAnswered()).isEmpty());
    singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, true);
    const QByteArray image = imageOf(257 * kBootPageBytes + 1);

    const Outcome outcome = runUpdate(sim, packageOf(kModel, image));
    QCOMPARE(outcome.errors, QStringList());
    QCOMPARE(outcome.successes, 1);
    QList<int> indexes;
    for (const QByteArray &frame : outcome.frames) {
        if (requestKinds({frame}) == QLatin1String("P"))
            indexes << static_cast<quint8>(frame.at(10));
    }
    QCOMPARE(indexes.size(), 258);
    QCOMPARE(indexes.mid(254), (QList<int>{254, 255, 0, 1}));
    QCOMPARE(sim.flashedImage(), image);
}

void TestFastCompletion::modesAgree_data()
{
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<BootLoaderFaults>("faults");
    QTest::addColumn<int>("splitGapMs"); // answers in three pieces this far apart; 0 whole
    QTest::addColumn<bool>("succeeds");

    BootLoaderFaults corruptErase = closingAnswered();
    corruptErase.erase = BootLoaderFaults::Answer::Corrupt;
    QTest::newRow("success") << 115200 << closingAnswered() << 0 << true;
    QTest::newRow("success at 9600 baud") << 9600 << closingAnswered() << 0 << true;
    QTest::newRow("answers in pieces") << 115200 << closingAnswered() << 150 << true;
    QTest::newRow("page 1 answered wrong")
            << 115200 << pageFault(BootLoaderFaults::Answer::Wrong, 1) << 0 << false;
    QTest::newRow("erase answer corrupted") << 9600 << corruptErase << 0 << false;
}

// Fast completion changes when an exchange ends, never what is sent or decided.
void TestFastCompletion::modesAgree()
{
    QFETCH(int, baudRate);
    QFETCH(BootLoaderFaults, faults);
    QFETCH(int, splitGapMs);
    QFETCH(bool, succeeds);

    InstrumentSimulator sim;
    sim.setBaudRate(baudRate);
    QVERIFY(startBootLoader(sim, kModel, faults).isEmpty());
    const DEncryptInfo package = packageOf(kModel, imageOf(kBootPageBytes + 100));
    Outcome outcomes[2];
    for (const bool fast : {false, true}) {
        sim.enterBootLoader(kModel);
        sim.setBootLoaderFaults(faults);
        if (splitGapMs > 0)
            sim.faults().splitAnswers(3, splitGapMs, FaultPlan::kEveryTime);
        singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, fast);
        outcomes[fast] = runUpdate(sim, package);
    }
    QCOMPARE(outcomes[false].successes, succeeds ? 1 : 0);
    QCOMPARE(outcomes[true].errors, outcomes[false].errors);
    QCOMPARE(outcomes[true].progress, outcomes[false].progress);
    QCOMPARE(outcomes[true].successes, outcomes[false].successes);
    QCOMPARE(outcomes[true].frames, outcomes[false].frames);
}

QTEST_GUILESS_MAIN(TestFastCompletion)
#include "tst_fastcompletion.moc"
