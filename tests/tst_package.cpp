#include "ddbserver.h"
#include "packagewriter.h"

#include <QtTest>

#include <QSqlDatabase>

#include <functional>

// Builds a file in the directory and returns the path to parse; none: an empty path.
using Make = std::function<QString(const QDir &)>;
Q_DECLARE_METATYPE(Make)

namespace {
const QString kDevice = QStringLiteral("NV-100 流量计");
const QString kModel = QStringLiteral("NV-100A");
const QString kVersion = QStringLiteral("V2.0.1");
const QString kNotFound = QStringLiteral("解析文件失败,文件不存在或拒绝访问!");
const QString kNotOpened = QStringLiteral("解析文件失败,打开文件失败,请检查文件类型!");
const QString kBadTable = QStringLiteral("解析文件失败,文件操作失败!");
const QString kNoContent = QStringLiteral("解析文件失败,无法获取文件内容!");
const QString kBadDigest = QStringLiteral("解析文件失败,文件校验失败!");
const QString kSentinel = QStringLiteral("sentinel");

QByteArray demoImage()
{
    QByteArray image(3000, 0);
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 31 + 7);
    return image;
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

// Package files read back from real SQLite files: what passes, and which of
// the five messages each kind of damage gives.
class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void cleanup()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }
    void parse_data();
    void parse();
    void parseAgain();

private:
    QTemporaryDir m_dir;
};

void TestPackage::parse_data()
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

void TestPackage::parse()
{
    QFETCH(Make, make);
    QFETCH(QString, message);
    QFETCH(QString, model);
    QFETCH(int, entries);

    DEncryptInfo info(make ? make(QDir(m_dir.path())) : QString());
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
void TestPackage::parseAgain()
{
    const QDir dir(m_dir.path());
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

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
