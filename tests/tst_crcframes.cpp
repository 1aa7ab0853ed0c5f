#include "bootframe.h"
#include "commandset.h"
#include "seriallink.h"

#include <QtTest>

// Frames and CRC checked byte for byte against known vectors.
class TestCrcFrames : public QObject
{
    Q_OBJECT

private slots:
    void crc_data();
    void crc();
    void checkCrcVectors_data();
    void checkCrcVectors();
    void checkCrcRejectsEveryChangedByte();
    void linkErrorTexts_data();
    void linkErrorTexts();
    void itemFrames_data();
    void itemFrames();
    void writeTextLimit_data();
    void writeTextLimit();
    void clockFrame_data();
    void clockFrame();
    void dataAnswer_data();
    void dataAnswer();
    void splitItemText_data();
    void splitItemText();
    void bootFrames_data();
    void bootFrames();
};

static QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

void TestCrcFrames::crc_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("crc");
    QTest::newRow("check value 123456789") << QByteArray("123456789") << 0x4B37;
    QTest::newRow("empty") << QByteArray() << 0xFFFF;
    QTest::newRow("clock ack body") << hex("FF 03 02 4F 4B") << 0x97E5;
    QTest::newRow("read item 0 body") << hex("FF 03 4B 00 00 00") << 0xF047;
}

void TestCrcFrames::crc()
{
    QFETCH(QByteArray, data);
    QFETCH(int, crc);
    QCOMPARE(int(crc16(data)), crc);
    QByteArray framed = data;
    appendCrc(framed);
    QCOMPARE(quint8(framed.at(framed.size() - 2)), quint8(crc & 0xFF));
    QCOMPARE(quint8(framed.at(framed.size() - 1)), quint8(crc >> 8));
}

void TestCrcFrames::checkCrcVectors_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("valid");
    QTest::newRow("clock ack") << hex("FF 03 02 4F 4B E5 97") << true;
    QTest::newRow("end of list") << hex("FF 03 00 41 00") << true;
    QTest::newRow("digits with crc") << QByteArray("123456789\x37\x4B") << true;
    QTest::newRow("crc high first") << QByteArray("123456789\x4B\x37") << false;
    QTest::newRow("zero bytes") << QByteArray() << false;
    QTest::newRow("one byte") << hex("FF") << false;
    // Two bytes equal to the CRC of nothing still never check.
    QTest::newRow("two bytes") << hex("FF FF") << false;
    QTest::newRow("ack plus extra byte") << hex("FF 03 02 4F 4B E5 97 55") << false;
    // A valid frame followed by a zero byte checks again: the CRC's high byte
    // shifts out to exactly the low byte. Extra bytes in tests must be non-zero.
    QTest::newRow("ack plus zero byte") << hex("FF 03 02 4F 4B E5 97 00") << true;
    QTest::newRow("boot frame never checks") << hex("7E 05 02 29 3F 00 00 C2 C4 7F") << false;
}

void TestCrcFrames::checkCrcVectors()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, valid);
    QCOMPARE(checkCrc(frame), valid);
}

void TestCrcFrames::checkCrcRejectsEveryChangedByte()
{
    const QByteArray ack = hex("FF 03 02 4F 4B E5 97");
    for (int i = 0; i < ack.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray changed = ack;
            changed[i] = char(changed.at(i) ^ (1 << bit));
            QVERIFY2(!checkCrc(changed), qPrintable(QString("byte %1 bit %2").arg(i).arg(bit)));
        }
    }
}

void TestCrcFrames::linkErrorTexts_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("text");
    QTest::newRow("ok and valid") << 0 << hex("FF 03 02 4F 4B E5 97") << QString();
    QTest::newRow("ok but bad crc") << 0 << hex("FF 03 02 4F 4B E5 96") << QString("CRC校验错误");
    QTest::newRow("ok with two bytes") << 0 << hex("FF FF") << QString("CRC校验错误");
    QTest::newRow("ok with nothing") << 0 << QByteArray() << QString("CRC校验错误");
    QTest::newRow("send timeout") << 1 << hex("FF 03 02 4F 4B E5 97") << QString("发送命令超时");
    QTest::newRow("receive timeout") << 2 << QByteArray() << QString("接受数据超时");
    QTest::newRow("unknown status") << 7 << QByteArray() << QString("未定义的错误");
    QTest::newRow("negative status") << -1 << QByteArray() << QString("未定义的错误");
}

void TestCrcFrames::linkErrorTexts()
{
    QFETCH(int, status);
    QFETCH(QByteArray, answer);
    QFETCH(QString, text);
    QCOMPARE(linkErrorText(status, answer), text);
}

void TestCrcFrames::itemFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("read 0") << makeReadItemFrame(0) << hex("FF 03 4B 00 00 00 47 F0");
    QTest::newRow("read 5") << makeReadItemFrame(5) << hex("FF 03 4B 05 00 00 57 F1");
    QTest::newRow("read 261 sends low byte") << makeReadItemFrame(261) << hex("FF 03 4B 05 00 00 57 F1");
    QTest::newRow("write 3 text 1")
            << makeWriteItemFrame(3, "1") << hex("FF 0F 4B 03 00 00 02 31 00 40 23");
    QTest::newRow("write 3 empty text")
            << makeWriteItemFrame(3, QString()) << hex("FF 0F 4B 03 00 00 01 00 BA 24");
    QTest::newRow("debug on") << makeWriteItemFrame(255, "1") << hex("FF 0F 4B FF 00 00 02 31 00 54 1F");
    QTest::newRow("debug off") << makeWriteItemFrame(255, "0") << hex("FF 0F 4B FF 00 00 02 30 00 55 8F");
}

void TestCrcFrames::itemFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestCrcFrames::writeTextLimit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("countByte");
    QTest::addColumn<bool>("fits");
    QTest::newRow("two chinese characters") << QString("手动") << 5 << true;
    QTest::newRow("254 ascii bytes") << QString(254, 'a') << 255 << true;
    QTest::newRow("127 chinese characters") << QString(127, QChar(0x6D4B)) << 255 << true;
    QTest::newRow("255 ascii bytes") << QString(255, 'a') << -1 << false;
    QTest::newRow("128 chinese characters") << QString(128, QChar(0x6D4B)) << -1 << false;
}

void TestCrcFrames::writeTextLimit()
{
    QFETCH(QString, text);
    QFETCH(int, countByte);
    QFETCH(bool, fits);
    QCOMPARE(itemTextFits(text), fits);
    const QByteArray frame = makeWriteItemFrame(7, text);
    if (!fits) {
        QVERIFY(frame.isEmpty());
        return;
    }
    QCOMPARE(int(quint8(frame.at(6))), countByte);
    QCOMPARE(frame.size(), countByte + 9);
    QCOMPARE(frame.at(frame.size() - 3), '\0');
    QVERIFY(checkCrc(frame));
}

void TestCrcFrames::clockFrame_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("monday 2018-03-05 14:07:09")
            << QDateTime(QDate(2018, 3, 5), QTime(14, 7, 9))
            << hex("FF 0F 4D 08 00 03 07 12 03 05 0E 07 09 01 59 E0");
    QByteArray sunday = hex("FF 0F 4D 08 00 03 07 12 03 04 17 3B 3B 07");
    appendCrc(sunday);
    QTest::newRow("sunday weekday 7") << QDateTime(QDate(2018, 3, 4), QTime(23, 59, 59)) << sunday;
    QByteArray y2000 = hex("FF 0F 4D 08 00 03 07 00 01 01 00 00 00 06");
    appendCrc(y2000);
    QTest::newRow("year 2000 sends 0") << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << y2000;
}

void TestCrcFrames::clockFrame()
{
    QFETCH(QDateTime, moment);
    QFETCH(QByteArray, expected);
    QCOMPARE(makeClockFrame(moment).toHex(' '), expected.toHex(' '));
}

void TestCrcFrames::dataAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    const auto answer = [](const QByteArray &data) {
        QByteArray frame = hex("FF 03");
        frame.append(char(data.size())).append(data);
        appendCrc(frame);
        return frame;
    };
    QTest::newRow("end of list") << hex("FF 03 00 41 00") << int(DataAnswerCheck::Ok) << QString();
    QTest::newRow("name and value")
            << answer(encodeGb2312("设备名称:NV-100")) << int(DataAnswerCheck::Ok)
            << QString("设备名称:NV-100");
    QTest::newRow("130 bytes, L above 0x7F")
            << answer(QByteArray(130, 'x')) << int(DataAnswerCheck::Ok) << QString(130, 'x');
    QTest::newRow("four bytes") << hex("FF 03 00 41") << int(DataAnswerCheck::AddressOrFunctionError)
                                << QString();
    QTest::newRow("clock ack is a data answer")
            << hex("FF 03 02 4F 4B E5 97") << int(DataAnswerCheck::Ok) << QString("OK");
    QByteArray wrongFunction = hex("FF 04 00");
    appendCrc(wrongFunction);
    QTest::newRow("wrong function")
            << wrongFunction << int(DataAnswerCheck::AddressOrFunctionError) << QString();
    QByteArray wrongAddress = hex("FE 03 00");
    appendCrc(wrongAddress);
    QTest::newRow("wrong address")
            << wrongAddress << int(DataAnswerCheck::AddressOrFunctionError) << QString();
    QByteArray shortByOne = hex("FF 03 05 61 62 63 64");
    appendCrc(shortByOne);
    QTest::newRow("length 5 in 9 bytes")
            << shortByOne << int(DataAnswerCheck::DataLengthError) << QString();
}

void TestCrcFrames::dataAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, result);
    QFETCH(QString, text);
    QString decoded = QStringLiteral("untouched");
    QCOMPARE(int(checkDataAnswer(answer, &decoded)), result);
    if (result == int(DataAnswerCheck::Ok))
        QCOMPARE(decoded, text);
}

void TestCrcFrames::splitItemText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("no colon") << QString("abc") << QStringList{"abc"};
    QTest::newRow("value with colon")
            << QString(" name : 12:30 ") << QStringList{"name", "12", "30"};
    QTest::newRow("empty value") << QString("name:") << QStringList{"name", ""};
    QTest::newRow("empty parts kept") << QString("a::b") << QStringList{"a", "", "b"};
}

void TestCrcFrames::splitItemText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    QCOMPARE(::splitItemText(text), parts);
}

void TestCrcFrames::bootFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("identification")
            << bootFrame(0x293F, 0, QByteArray()) << hex("7E 05 02 29 3F 00 00 C2 C4 7F");
    QTest::newRow("closing") << bootFrame(0x2A79, 0, QByteArray()) << hex("7E 05 02 2A 79 00 00 53 25 7F");
    QTest::newRow("erase 74565 bytes")
            << bootFrame(0x2FAC, 7, hex("91 00 04 45 23 01 00"))
            << hex("7E 05 02 2F AC 00 07 91 00 04 45 23 01 00 6D A8 7F");
    QTest::newRow("history length field differs from data")
            << bootFrame(0x4E9F, 7, hex("91 00 04 12 01 05 12 02 0A"))
            << hex("7E 05 02 4E 9F 00 07 91 00 04 12 01 05 12 02 0A FA AC 7F");
    QTest::newRow("page answer 0")
            << bootFrame(0x0101, 0x000F, hex("01 00 0C") + QByteArray("Page[0] OK\r\n"),
                         kPcAddress, kInstrumentAddress)
            << hex("7E 02 05 01 01 00 0F 01 00 0C 50 61 67 65 5B 30 5D 20 4F 4B 0D 0A 73 50 7F");
}

void TestCrcFrames::bootFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

QTEST_GUILESS_MAIN(TestCrcFrames)
#include "tst_crcframes.moc"
