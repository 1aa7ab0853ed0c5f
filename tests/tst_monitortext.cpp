#include "burstbuffer.h"
#include "commandset.h"
#include "debugswitch.h"
#include "monitortext.h"

#include <QtTest>

Q_DECLARE_METATYPE(MonitorView)

namespace {
// 5 January 2018, 10:00:00.123: the moment every header below is stamped with.
const QDateTime kReceived(QDate(2018, 1, 5), QTime(10, 0, 0, 123));
const QByteArray kOkLine = QByteArray::fromHex("4F4B0D0A");
// 温度, a line break and 报警 in GB2312.
const QByteArray kChinese = QByteArray::fromHex("CEC2B6C80D0AB1A8BEAF");
const QString kChineseHex = QStringLiteral("CE C2 B6 C8 0D 0A B1 A8 BE AF ");
} // namespace

// What the monitor makes of received bytes, without a port: the display forms,
// the cutting of endless bursts and the debug switch's answer among debug output.
class TestMonitorText : public QObject
{
    Q_OBJECT

private slots:
    void displayForms_data();
    void displayForms();
    void burstCutting_data();
    void burstCutting();
    void answerAmongDebugOutput_data();
    void answerAmongDebugOutput();
};

void TestMonitorText::displayForms_data()
{
    QTest::addColumn<MonitorView>("view");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    const QString okHeader = QStringLiteral("[2018-01-05 10:00:00.123][4] : ");
    const QString chineseHeader = QStringLiteral("[2018-01-05 10:00:00.123][10] : ");
    QTest::newRow("OK raw: the data's own line break, no header")
            << MonitorView::Original << kOkLine << "OK\r\n";
    QTest::newRow("OK hex") << MonitorView::Hex << kOkLine << okHeader + "4F 4B 0D 0A \r\n";
    QTest::newRow("OK raw and hex")
            << MonitorView::OriginalHex << kOkLine << okHeader + "OK ( 4F 4B 0D 0A  )\r\n";
    QTest::newRow("Chinese raw") << MonitorView::Original << kChinese << "温度\r\n报警";
    QTest::newRow("Chinese hex") << MonitorView::Hex << kChinese
                                 << chineseHeader + kChineseHex + "\r\n";
    QTest::newRow("Chinese raw and hex: inner line break becomes a space")
            << MonitorView::OriginalHex << kChinese
            << chineseHeader + "温度  报警 ( " + kChineseHex + " )\r\n";
    QTest::newRow("blanks around the text trimmed")
            << MonitorView::OriginalHex << QByteArray::fromHex("20CEC2B6C820")
            << "[2018-01-05 10:00:00.123][6] : 温度 ( 20 CE C2 B6 C8 20  )\r\n";
    QTest::newRow("empty burst shows nothing") << MonitorView::Hex << QByteArray() << QString();
}

void TestMonitorText::displayForms()
{
    QFETCH(MonitorView, view);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(burstDisplayText(view, bytes, kReceived), shown);
}

void TestMonitorText::burstCutting_data()
{
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<int>("maxAgeMs");
    QTest::addColumn<QByteArrayList>("chunks"); // appended one after another
    QTest::addColumn<QList<int>>("atMs");       // when each chunk arrived
    QTest::addColumn<QByteArrayList>("parts");  // handed out, the last at the quiet

    QTest::newRow("within both limits: one part at the quiet")
            << 8 << 1000 << QByteArrayList{"abc", "def"} << QList<int>{0, 30}
            << QByteArrayList{"abcdef"};
    QTest::newRow("size limit cuts a flood into full parts")
            << 4 << 1000 << QByteArrayList{"abcdefghij"} << QList<int>{0}
            << QByteArrayList{"abcd", "efgh", "ij"};
    QTest::newRow("age limit hands out a slow stream")
            << 100 << 100 << QByteArrayList{"ab", "cd", "ef", "gh"} << QList<int>{0, 60, 120, 150}
            << QByteArrayList{"abcdef", "gh"};
    QTest::newRow("size cut never splits a GB2312 character")
            << 4 << 1000 << QByteArrayList{"a" + QByteArray::fromHex("CEC2B6C8")} << QList<int>{0}
            << QByteArrayList{"a" + QByteArray::fromHex("CEC2"), QByteArray::fromHex("B6C8")};
    QTest::newRow("age cut keeps a lone lead byte for its partner")
            << 100 << 50
            << QByteArrayList{"ab", "x" + QByteArray::fromHex("CE"),
                              QByteArray::fromHex("C2") + "y"}
            << QList<int>{0, 60, 70} << QByteArrayList{"abx", QByteArray::fromHex("CEC2") + "y"};
}

void TestMonitorText::burstCutting()
{
    QFETCH(int, maxBytes);
    QFETCH(int, maxAgeMs);
    QFETCH(QByteArrayList, chunks);
    QFETCH(QList<int>, atMs);
    QFETCH(QByteArrayList, parts);

    BurstBuffer burst(maxBytes, maxAgeMs);
    QByteArrayList handedOut;
    for (int i = 0; i < chunks.size(); ++i) {
        burst.append(chunks.at(i), atMs.at(i));
        for (QByteArray part = burst.takeDue(atMs.at(i)); !part.isEmpty();
             part = burst.takeDue(atMs.at(i)))
            handedOut << part;
    }
    if (!burst.isEmpty())
        handedOut << burst.takeAll();
    QCOMPARE(handedOut, parts);
    QVERIFY(burst.isEmpty());
}

void TestMonitorText::answerAmongDebugOutput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("at"); // where the answer starts, -1 for none

    QByteArray answer = QByteArray::fromHex("FF0306") + encodeGb2312(QStringLiteral("调试:0"));
    appendCrc(answer);
    QByteArray broken = answer;
    broken[broken.size() - 1] = char(broken.at(broken.size() - 1) ^ 0x01);
    const QByteArray line = encodeGb2312(QStringLiteral("DBG #7 温度=21.0\r\n"));
    QTest::newRow("answer alone") << answer << 0;
    QTest::newRow("debug output around the answer") << line + answer + line << line.size();
    QTest::newRow("stray FF 03 before the answer") << QByteArray::fromHex("FF0302") + answer << 3;
    QTest::newRow("CRC broken") << line + broken << -1;
    QTest::newRow("answer cut short") << line + answer.left(answer.size() - 1) << -1;
}

void TestMonitorText::answerAmongDebugOutput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, at);
    int length = 0;
    QCOMPARE(findDataAnswer(bytes, &length), at);
    if (at >= 0)
        QCOMPARE(length, 11);
}

QTEST_GUILESS_MAIN(TestMonitorText)
#include "tst_monitortext.moc"
