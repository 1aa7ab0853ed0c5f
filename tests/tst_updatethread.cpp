#include "updatetestsupport.h"

namespace {
const QString kMessagePrefix = QStringLiteral("固件更新失败,");

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
} // namespace

using namespace UpdateTest;

// The update worker against the simulated boot-loader: the bytes of every
// request, the answers it accepts, what it reports, that the closing request
// follows every path that opened the port, and that fast completion changes
// when an exchange ends, never what is sent or decided.
class TestUpdateThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void frames_data();
    void frames();
    void update_data();
    void update();
    void modesAgree_data();
    void modesAgree();
    void pageIndexWraps();

private:
    QTemporaryDir m_dir;
};

void TestUpdateThread::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray filled(kBootPageBytes, '\xAB');

    const auto row = [](const char *tag, const QByteArray &frame, const char *expected) {
        QTest::newRow(tag) << frame << hex(expected);
    };
    row("identification", bootIdentifyRequest(), "7E0502293F0000C2C47F");
    row("closing", bootClosingRequest(), "7E05022A79000053257F");
    row("erase 74565 bytes, size little-endian", bootEraseRequest(74565),
        "7E05022FAC0007 91000445230100 6DA8 7F");
    row("erase answer", bootEraseAnswer(),
        "7E020501010013010010 45726173 65204F4B 0D0A 000000C18140 16AD 7F");
    QTest::newRow("page 255 of AB") << bootPageRequest(filled.constData(), 255)
                                    << hex("7E05022C010404 910401FF") + filled + hex("22F37F");
    row("page 0 answer", bootPageAnswer(0),
        "7E02050101000F01000C 506167655B305D204F4B0D0A 7350 7F");
    row("page 9 answer", bootPageAnswer(9),
        "7E02050101000F01000C 506167655B395D204F4B0D0A 73C9 7F");
    row("page 10 answer, 13 text bytes", bootPageAnswer(10),
        "7E02050101001001000D 506167655B31305D204F4B0D0A 378A 7F");
    row("page 99 answer", bootPageAnswer(99),
        "7E02050101001001000D 506167655B39395D204F4B0D0A 9112 7F");
    row("page 100 answer, 14 text bytes", bootPageAnswer(100),
        "7E02050101001101000E 506167655B3130305D204F4B0D0A 6AA4 7F");
    row("page 255 answer", bootPageAnswer(255),
        "7E02050101001101000E 506167655B3235355D204F4B0D0A A525 7F");
}

void TestUpdateThread::frames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestUpdateThread::update_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("model"); // the package's; the boot-loader reports NV-100A
    QTest::addColumn<BootLoaderFaults>("faults");
    QTest::addColumn<QString>("port");    // null: the simulator's
    QTest::addColumn<QString>("message"); // after 固件更新失败, empty on success
    QTest::addColumn<QList<int>>("progress");
    QTest::addColumn<QString>("requests");

    const BootLoaderFaults fine = closingAnswered();
    BootLoaderFaults silent = fine;
    silent.silentIdentifications = 2;
    BootLoaderFaults wrongErase = fine;
    wrongErase.erase = BootLoaderFaults::Answer::Wrong;
    BootLoaderFaults corruptErase = fine;
    corruptErase.erase = BootLoaderFaults::Answer::Corrupt;
    const QString sendFailed = QStringLiteral("发送文件数据失败!");
    const QString otherModel = QStringLiteral("BIN文件与设备型号不一致!");
    using Answer = BootLoaderFaults::Answer;

    const auto row
            = [](const char *tag, int size, const QString &model, const BootLoaderFaults &faults,
                 const QString &message, const QList<int> &progress, const char *requests) {
                  QTest::newRow(tag) << size << model << faults << QString() << message << progress
                                     << QString::fromLatin1(requests);
              };
    row("empty image: erase 0, progress 0, success", 0, kModel, fine, "", {0}, "IECC");
    row("1024 bytes are one page", 1024, kModel, fine, "", {0, 0}, "IEPCC");
    row("1025 bytes are two pages", 1025, kModel, fine, "", {0, 0, 99}, "IEPPCC");
    row("progress is the share before each page", 5000, kModel, fine, "", {0, 0, 20, 40, 61, 81},
        "IEPPPPPCC");
    row("closing not answered", 10, kModel, BootLoaderFaults(), "", {0, 0}, "IEPCC");
    row("package without a model", 10, QString(), fine, otherModel, {}, "ICC");

    QTest::newRow("port missing") << 10 << kModel << fine << "/dev/norvo-none"
                                  << "打开串口失败: /dev/norvo-none" << QList<int>() << "";
    row("identification silent twice", 10, kModel, silent, "获取设备ID失败!", {}, "IICC");
    row("other model", 10, "NV-200", fine, otherModel, {}, "ICC");
    row("model differing in case", 10, "nv-100a", fine, otherModel, {}, "ICC");
    row("erase answer wrong", 10, kModel, wrongErase, "擦除设备内存失败!", {}, "IECC");
    row("erase answer corrupted", 10, kModel, corruptErase, "擦除设备内存失败!", {}, "IECC");
    row("page 2 answered for page 3", 5000, kModel, pageFault(Answer::Wrong, 2), sendFailed,
        {0, 0, 20}, "IEPPPCC");
    row("page 1 not answered", 5000, kModel, pageFault(Answer::Silent, 1), sendFailed, {0, 0},
        "IEPPCC");
    row("page 0 answer corrupted", 5000, kModel, pageFault(Answer::Corrupt, 0), sendFailed, {0},
        "IEPCC");
}

void TestUpdateThread::update()
{
    QFETCH(int, size);
    QFETCH(QString, model);
    QFETCH(BootLoaderFaults, faults);
    QFETCH(QString, port);
    QFETCH(QString, message);
    QFETCH(QList<int>, progress);
    QFETCH(QString, requests);

    InstrumentSimulator sim;
    QVERIFY(startBootLoader(sim, kModel, faults).isEmpty());
    if (!port.isNull())
        singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, port);
    singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, true);
    const QByteArray image = imageOf(size);

    const Outcome outcome = runUpdate(sim, packageOf(model, image));
    QCOMPARE(outcome.errors,
             message.isEmpty() ? QStringList() : QStringList{kMessagePrefix + message});
    QCOMPARE(outcome.successes, message.isEmpty() ? 1 : 0);
    QCOMPARE(outcome.progress, progress);
    QCOMPARE(requestKinds(outcome.frames), requests);
    QCOMPARE(sim.closingRequests(), requests.count(QLatin1Char('C')));
    if (!message.isEmpty())
        return;
    QCOMPARE(sim.flashedImage(), image);
    // The last page is filled up with the erased-flash value, not with what lies beyond the image.
    if (size % kBootPageBytes != 0) {
        const QByteArray lastPage
                = outcome.frames.at(outcome.frames.size() - 3).mid(11, kBootPageBytes);
        QCOMPARE(lastPage.mid(size % kBootPageBytes),
                 QByteArray(kBootPageBytes - size % kBootPageBytes, UpdateThread::kPageFiller));
    }
}

void TestUpdateThread::modesAgree_data()
{
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<BootLoaderFaults>("faults");
    QTest::addColumn<int>("splitGapMs"); // answers in three pieces this far apart; 0 whole
    QTest::addColumn<bool>("succeeds");

    BootLoaderFaults corruptErase = closingAnswered();
    corruptErase.erase = BootLoaderFaults::Answer::Corrupt;
    QTest::newRow("success at 9600 baud") << 9600 << closingAnswered() << 0 << true;
    QTest::newRow("answers in pieces") << 115200 << closingAnswered() << 150 << true;
    QTest::newRow("page 1 answered wrong")
            << 115200 << pageFault(BootLoaderFaults::Answer::Wrong, 1) << 0 << false;
    QTest::newRow("erase answer corrupted") << 9600 << corruptErase << 0 << false;
}

// The same package flashed with and without fast completion.
void TestUpdateThread::modesAgree()
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
    QVERIFY2(outcomes[true] == outcomes[false],
             qPrintable(requestKinds(outcomes[true].frames) + " against "
                        + requestKinds(outcomes[false].frames)));
}

// Past 256 pages the one-byte index starts again at 0, and the answers expected with it.
void TestUpdateThread::pageIndexWraps()
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

QTEST_GUILESS_MAIN(TestUpdateThread)
#include "tst_updatethread.moc"
