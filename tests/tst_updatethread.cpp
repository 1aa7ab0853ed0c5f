#include "ddbserver.h"
#include "packagewriter.h"
#include "updatetestsupport.h"

#include <QtTest>

#include <QSqlDatabase>

#include <functional>

// Builds a file in the directory and returns the path to parse; none: an empty path.
using Make = std::function<QString(const QDir &)>;
Q_DECLARE_METATYPE(Make)

using namespace UpdateTest;

namespace {
const QString kMessagePrefix = QStringLiteral("固件更新失败,");

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const QString kDevice = QStringLiteral("NV-100 流量计");
const QString kVersion = QStringLiteral("V2.0.1");
const QString kNotFound = QStringLiteral("解析文件失败,文件不存在或拒绝访问!");
const QString kNotOpened = QStringLiteral("解析文件失败,打开文件失败,请检查文件类型!");
const QString kBadTable = QStringLiteral("解析文件失败,文件操作失败!");
const QString kNoContent = QStringLiteral("解析文件失败,无法获取文件内容!");
const QString kBadDigest = QStringLiteral("解析文件失败,文件校验失败!");
const QString kSentinel = QStringLiteral("sentinel");

QByteArray demoImage()
{
    return imageOf(3000);
}

QByteArray goodPayload()
{
    return packagePayload(packageEntries(kDevice, kModel, kVersion, demoImage()));
}

QByteArray md5(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

// A map stream of count entries, each key followed by raw value bytes.
QByteArray rawMap(quint32 count, const QString &key, const QByteArray &value)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(kPackageStreamVersion);
    stream << count << key;
    return payload + value;
}

Make database(const QStringList &statements, const QVariant &cell)
{
    return [=](const QDir &dir) {
        const QString path = dir.filePath(QStringLiteral("package.nvbin"));
        QString error;
        if (!writeDatabase(path, statements, cell, &error))
            qWarning("%s", qPrintable(error));
        return path;
    };
}

// A file of these bytes, or the directory itself for null bytes.
Make plainFile(const QByteArray &bytes)
{
    return [=](const QDir &dir) {
        if (bytes.isNull())
            return dir.path();
        QFile file(dir.filePath(QStringLiteral("plain.nvbin")));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
}

Make package(const QByteArray &cell)
{
    return database({QStringLiteral("create table INFO (DATA text)"),
                     QStringLiteral("insert into INFO values (?)")},
                    QString::fromLatin1(cell));
}

Make sealed(const QByteArray &payload)
{
    return package(packageCell(payload));
}
} // namespace

// Package files read back from real SQLite files: what passes, and which of the
// five messages each kind of damage gives. The update worker against the
// simulated boot-loader: the bytes of every request, the answers it accepts,
// what it reports, that the closing request follows every path that opened the
// port, and that fast completion changes when an exchange ends, never what is
// sent or decided.
class TestUpdateThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void parse_data();
    void parse();
    void parseAgain();
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

void TestUpdateThread::parse_data()
{
    QTest::addColumn<Make>("make");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("model"); // the model entry after a successful parse
    QTest::addColumn<int>("entries");   // entries read, -1 after a failure

    const QByteArray payload = goodPayload();
    const QByteArray good = packageCell(payload);
    const QString table = QStringLiteral("create table INFO (DATA text)");
    const QString insert = QStringLiteral("insert into INFO values (?)");
    QByteArray changed = payload;
    changed[changed.size() - 1] = static_cast<char>(changed.at(changed.size() - 1) ^ 0x01);
    QByteArray wrapped = good;
    for (int at = 76; at < wrapped.size(); at += 77)
        wrapped.insert(at, '\n');
    QList<PackageEntry> twice = packageEntries(kDevice, kModel, kVersion, demoImage());
    twice.append({QString::fromLatin1(PackageKeys::kModel), QStringLiteral("NV-200")});

    // A failure names its message and leaves the content alone; a pass gives the entries read.
    const auto fails = [](const char *tag, const Make &make, const QString &message) {
        QTest::newRow(tag) << make << message << QString() << -1;
    };
    const auto passes = [](const char *tag, const Make &make, const QString &model, int entries) {
        QTest::newRow(tag) << make << QString() << model << entries;
    };
    passes("good package", sealed(payload), kModel, 4);
    passes("cell stored as bytes", database({table, insert}, good), kModel, 4);
    passes("line breaks in the Base64 skipped", package(wrapped), kModel, 4);
    passes("duplicated key, the last read wins", sealed(packagePayload(twice)), "NV-200", 5);
    passes("truncated map passes empty", sealed(payload.left(payload.size() / 2)), QString(), 0);

    fails("empty path", Make(), kNotFound);
    fails("directory", plainFile(QByteArray()), kNotFound);
    fails("not a database", plainFile(QByteArray(4096, 'x')), kNotOpened);
    fails("no INFO table",
          database({"create table DATA (DATA text)", "insert into DATA values (?)"},
                   QString::fromLatin1(good)),
          kBadTable);
    fails("two rows", database({table, insert, insert}, QString::fromLatin1(good)), kBadTable);
    fails("oversized cell never loaded",
          database({table,
                    QStringLiteral("insert into INFO values (zeroblob(%1))")
                            .arg(DDbServer::kMaxCellBytes + 1)},
                   QVariant()),
          kNoContent);

    fails("payload changed after sealing", package(sealBlock(changed, md5(payload)).toBase64()),
          kBadDigest);
    fails("15-byte digest", package(sealBlock(payload, md5(payload).left(15)).toBase64()),
          kBadDigest);
    fails("empty cell", database({table, insert}, QString()), kBadDigest);
    // A block that announces a 2 GiB payload holds a few bytes of it.
    fails("payload length beyond the block",
          package(QByteArray::fromHex("7FFFFFFF0102030400000010").toBase64()), kBadDigest);

    // Maps whose values would make the reader recurse or reserve memory they
    // do not bring are read as broken: empty, but the parse passes.
    QByteArray nested;
    for (int depth = 0; depth < 100000; ++depth)
        nested.append(QByteArray::fromHex("000000090000000001")); // a list holding one entry
    passes("deeply nested lists", sealed(rawMap(1, QStringLiteral("k"), nested)), QString(), 0);
    passes("string list announcing 2^28 strings",
           sealed(rawMap(1, QStringLiteral("k"), QByteArray::fromHex("0000000B0010000000"))),
           QString(), 0);
    passes("entry count beyond the entries",
           sealed(rawMap(0xFFFFFFFF, QStringLiteral("k"), QByteArray::fromHex("000000010001"))),
           QString(), 0);
}

void TestUpdateThread::parse()
{
    QFETCH(Make, make);
    QFETCH(QString, message);
    QFETCH(QString, model);
    QFETCH(int, entries);

    QTemporaryDir files;
    DEncryptInfo info(make ? make(QDir(files.path())) : QString());
    info.content.insert(kSentinel, 1);
    DDbServer server;
    QCOMPARE(server.parsePackage(info), message);
    if (entries < 0) {
        QCOMPARE(info.content.keys(), QStringList{kSentinel}); // left as it was
        return;
    }
    QCOMPARE(info.content.size(), entries);
    QCOMPARE(info.model(), model);
    if (!model.isEmpty()) {
        QCOMPARE(info.device(), kDevice);
        QCOMPARE(info.version(), kVersion);
        QCOMPARE(info.image(), demoImage());
    }
}

// One connection serves every parse: each closes the last file and opens the next.
void TestUpdateThread::parseAgain()
{
    QTemporaryDir files;
    const QDir dir(files.path());
    const QString first = sealed(goodPayload())(dir);
    const QString second = dir.filePath(QStringLiteral("second.nvbin"));
    QString error;
    QVERIFY(writePackage(second, packageEntries(kDevice, "NV-7", kVersion, "x"), &error));

    DDbServer server;
    for (const QString &path : {first, first, second, first}) {
        DEncryptInfo info(path);
        QCOMPARE(server.parsePackage(info), QString());
        QCOMPARE(info.model(), path == second ? QStringLiteral("NV-7") : kModel);
    }
    DDbServer another;
    DEncryptInfo info(second);
    QCOMPARE(another.parsePackage(info), QString());
    QCOMPARE(QSqlDatabase::connectionNames().size(), 1);
}

QTEST_GUILESS_MAIN(TestUpdateThread)
#include "tst_updatethread.moc"
