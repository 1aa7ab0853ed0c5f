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
// request, the answers it accepts, what it reports, and that the closing
// request follows every path that opened the port.
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

private:
    QTemporaryDir m_dir;
};

void TestUpdateThread::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray zeros(kBootPageBytes, 0);
    const QByteArray filled(kBootPageBytes, '\xAB');

    QTest::newRow("identification") << bootIdentifyRequest() << hex("7E0502293F0000C2C47F");
    QTest::newRow("closing") << bootClosingRequest() << hex("7E05022A79000053257F");
    QTest::newRow("erase 74565 bytes, size little-endian")
            << bootEraseRequest(74565) << hex("7E05022FAC0007 91000445230100 6DA8 7F");
    QTest::newRow("erase nothing")
            << bootEraseRequest(0) << hex("7E05022FAC0007 91000400000000 3B4D 7F");
    QTest::newRow("erase answer")
            << bootEraseAnswer()
            << hex("7E020501010013010010 45726173 65204F4B 0D0A 000000C18140 16AD 7F");
    QTest::newRow("page 7 of zeros") << bootPageRequest(zeros.constData(), 7)
                                     << hex("7E05022C010404 91040107") + zeros + hex("7C817F");
    QTest::newRow("page 255 of AB") << bootPageRequest(filled.constData(), 255)
                                    << hex("7E05022C010404 910401FF") + filled + hex("22F37F");
    QTest::newRow("page 0 answer")
            << bootPageAnswer(0) << hex("7E02050101000F01000C 506167655B305D204F4B0D0A 7350 7F");
    QTest::newRow("page 9 answer")
            << bootPageAnswer(9) << hex("7E02050101000F01000C 506167655B395D204F4B0D0A 73C9 7F");
    QTest::newRow("page 10 answer, 13 text bytes")
            << bootPageAnswer(10) << hex("7E02050101001001000D 506167655B31305D204F4B0D0A 378A 7F");
    QTest::newRow("page 99 answer")
            << bootPageAnswer(99) << hex("7E02050101001001000D 506167655B39395D204F4B0D0A 9112 7F");
    QTest::newRow("page 100 answer, 14 text bytes")
            << bootPageAnswer(100)
            << hex("7E02050101001101000E 506167655B3130305D204F4B0D0A 6AA4 7F");
    QTest::newRow("page 255 answer")
            << bootPageAnswer(255)
            << hex("7E02050101001101000E 506167655B3235355D204F4B0D0A A525 7F");
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
    BootLoaderFaults silentOnce = fine;
    silentOnce.silentIdentifications = 1;
    BootLoaderFaults silent = fine;
    silent.silentIdentifications = 2;
    BootLoaderFaults wrongErase = fine;
    wrongErase.erase = BootLoaderFaults::Answer::Wrong;
    BootLoaderFaults corruptErase = fine;
    corruptErase.erase = BootLoaderFaults::Answer::Corrupt;
    const QString sendFailed = QStringLiteral("发送文件数据失败!");
    using Answer = BootLoaderFaults::Answer;

    QTest::newRow("empty image: erase 0, progress 0, success")
            << 0 << kModel << fine << QString() << QString() << QList<int>{0} << "IECC";
    QTest::newRow("1024 bytes are one page")
            << 1024 << kModel << fine << QString() << QString() << QList<int>{0, 0} << "IEPCC";
    QTest::newRow("1025 bytes are two pages")
            << 1025 << kModel << fine << QString() << QString() << QList<int>{0, 0, 99} << "IEPPCC";
    QTest::newRow("progress is the share before each page")
            << 5000 << kModel << fine << QString() << QString() << QList<int>{0, 0, 20, 40, 61, 81}
            << "IEPPPPPCC";
    QTest::newRow("closing not answered") << 10 << kModel << BootLoaderFaults() << QString()
                                          << QString() << QList<int>{0, 0} << "IEPCC";
    QTest::newRow("identification asked twice")
            << 10 << kModel << silentOnce << QString() << QString() << QList<int>{0, 0} << "IIEPCC";
    QTest::newRow("package without a model") << 10 << QString() << fine << QString()
                                             << "BIN文件与设备型号不一致!" << QList<int>() << "ICC";

    QTest::newRow("port missing") << 10 << kModel << fine << "/dev/norvo-none"
                                  << "打开串口失败: /dev/norvo-none" << QList<int>() << "";
    QTest::newRow("identification silent twice")
            << 10 << kModel << silent << QString() << "获取设备ID失败!" << QList<int>() << "IICC";
    QTest::newRow("other model") << 10 << "NV-200" << fine << QString()
                                 << "BIN文件与设备型号不一致!" << QList<int>() << "ICC";
    QTest::newRow("model differing in case") << 10 << "nv-100a" << fine << QString()
                                             << "BIN文件与设备型号不一致!" << QList<int>() << "ICC";
    QTest::newRow("erase answer wrong") << 10 << kModel << wrongErase << QString()
                                        << "擦除设备内存失败!" << QList<int>() << "IECC";
    QTest::newRow("erase answer corrupted") << 10 << kModel << corruptErase << QString()
                                            << "擦除设备内存失败!" << QList<int>() << "IECC";
    QTest::newRow("page 2 answered for page 3")
            << 5000 << kModel << pageFault(Answer::Wrong, 2) << QString() << sendFailed
            << QList<int>{0, 0, 20} << "IEPPPCC";
    QTest::newRow("page 1 not answered") << 5000 << kModel << pageFault(Answer::Silent, 1)
                                         << QString() << sendFailed << QList<int>{0, 0} << "IEPPCC";
    QTest::newRow("page 0 answer corrupted") << 5000 << kModel << pageFault(Answer::Corrupt, 0)
                                             << QString() << sendFailed << QList<int>{0} << "IEPCC";
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

QTEST_GUILESS_MAIN(TestUpdateThread)
#include "tst_updatethread.moc"
