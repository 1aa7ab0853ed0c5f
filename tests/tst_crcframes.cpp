#include "bootframe.h"
#include "commandset.h"
#include "seriallink.h"

#include <QtTest>

Q_DECLARE_METATYPE(DataAnswerCheck)

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray withCrc(QByteArray frame)
{
    appendCrc(frame);
    return frame;
}
} // namespace

// Frames, CRC and answer checks against byte-exact vectors.
class TestCrcFrames : public QObject
{
    Q_OBJECT

private slots:
    void checkCrcVectors_data();
    void checkCrcVectors();
    void frames_data();
    void frames();
    void dataAnswer_data();
    void dataAnswer();
};

void TestCrcFrames::checkCrcVectors_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("valid");
    const auto row = [](const char *tag, const QByteArray &frame, bool valid) {
        QTest::newRow(tag) << frame << valid;
    };
    row("clock ack", hex("FF 03 02 4F 4B E5 97"), true);
    row("check value 0x4B37, low byte first", QByteArray("123456789\x37\x4B"), true);
    row("high byte first", QByteArray("123456789\x4B\x37"), false);
    row("one data bit changed", hex("FF 03 02 4F 4A E5 97"), false);
    row("empty", QByteArray(), false);
    // FF FF is the CRC of nothing, yet two bytes are no frame.
    row("two bytes", hex("FF FF"), false);
    row("extra non-zero byte", hex("FF 03 02 4F 4B E5 97 55"), false);
    // The CRC's high byte shifts out to exactly the low byte, so a trailing zero checks again.
    row("extra zero byte checks again", hex("FF 03 02 4F 4B E5 97 00"), true);
    row("boot frame, CRC high byte first", hex("7E 05 02 29 3F 00 00 C2 C4 7F"), false);
}

void TestCrcFrames::checkCrcVectors()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, valid);
    QCOMPARE(checkCrc(frame), valid);
    QCOMPARE(linkErrorText(LinkOk, frame), valid ? QString() : QStringLiteral("CRC校验错误"));
}

void TestCrcFrames::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char *tag, const QByteArray &frame, const QByteArray &expected) {
        QTest::newRow(tag) << frame << expected;
    };
    row("read 0", makeReadItemFrame(0), hex("FF 03 4B 00 00 00 47 F0"));
    row("read 261 sends low byte", makeReadItemFrame(261), hex("FF 03 4B 05 00 00 57 F1"));
    row("write action item", makeWriteItemFrame(3, QString()),
        hex("FF 0F 4B 03 00 00 01 00 BA 24"));
    row("write GB2312 text", makeWriteItemFrame(4, "手动"),
        withCrc(hex("FF 0F 4B 04 00 00 05 CA D6 B6 AF 00")));
    // The count byte 255 covers 254 text bytes and the terminating zero; longer makes no frame.
    row("write 254 bytes", makeWriteItemFrame(7, QString(254, 'a')),
        withCrc(hex("FF 0F 4B 07 00 00 FF") + QByteArray(254, 'a') + '\0'));
    row("write 255 bytes", makeWriteItemFrame(7, QString(255, 'a')), QByteArray());
    row("write 128 chinese characters", makeWriteItemFrame(7, QString(128, QChar(0x6D4B))),
        QByteArray());
    row("clock, monday", makeClockFrame(QDateTime(QDate(2018, 3, 5), QTime(14, 7, 9))),
        hex("FF 0F 4D 08 00 03 07 12 03 05 0E 07 09 01 59 E0"));
    row("clock, sunday 7, year 2000 sends 0",
        makeClockFrame(QDateTime(QDate(2000, 1, 2), QTime(23, 59, 59))),
        withCrc(hex("FF 0F 4D 08 00 03 07 00 01 02 17 3B 3B 07")));
    row("history length field differs from data",
        bootFrame(0x4E9F, 7, hex("91 00 04 12 01 05 12 02 0A")),
        hex("7E 05 02 4E 9F 00 07 91 00 04 12 01 05 12 02 0A FA AC 7F"));
}

void TestCrcFrames::frames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestCrcFrames::dataAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<DataAnswerCheck>("result");
    QTest::addColumn<QStringList>("fields"); // name and value: the text split at its first colon
    const auto answer = [](const QByteArray &data) {
        return withCrc(hex("FF 03") + char(data.size()) + data);
    };
    const auto row = [](const char *tag, const QByteArray &answer, DataAnswerCheck result,
                        const QStringList &fields) {
        QTest::newRow(tag) << answer << result << fields;
    };
    const auto ok = DataAnswerCheck::Ok, badHead = DataAnswerCheck::AddressOrFunctionError;
    row("end of list", hex("FF 03 00 41 00"), ok, {""});
    row("GB2312 name and value", answer(encodeGb2312("设备名称:NV-100")), ok,
        {"设备名称", "NV-100"});
    row("no colon", answer("abc"), ok, {"abc"});
    row("value with colons, trimmed", answer(" name : 12:30 "), ok, {"name", "12:30"});
    row("clock item's whole time", answer(encodeGb2312("设备时间:2026-12-06 10:11:12")), ok,
        {"设备时间", "2026-12-06 10:11:12"});
    row("empty value kept", answer("name:"), ok, {"name", ""});
    row("four bytes", hex("FF 03 00 41"), badHead, {});
    row("wrong function", withCrc(hex("FF 04 00")), badHead, {});
    row("length 5 with 4 data bytes", withCrc(hex("FF 03 05 61 62 63 64")),
        DataAnswerCheck::DataLengthError, {});
}

void TestCrcFrames::dataAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(DataAnswerCheck, result);
    QFETCH(QStringList, fields);
    QString decoded;
    QCOMPARE(checkDataAnswer(answer, &decoded), result);
    QCOMPARE(result == DataAnswerCheck::Ok ? ::splitItemText(decoded) : QStringList(), fields);
    QVERIFY(result == DataAnswerCheck::Ok || decoded.isEmpty());
}

QTEST_GUILESS_MAIN(TestCrcFrames)
#include "tst_crcframes.moc"
