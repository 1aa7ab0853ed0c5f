#include "monitortext.h"

#include <QtTest>

Q_DECLARE_METATYPE(MonitorView)

// The three forms a burst is shown in, stamped with a fixed moment.
class TestMonitorText : public QObject
{
    Q_OBJECT

private slots:
    void displayForms_data();
    void displayForms();
};

void TestMonitorText::displayForms_data()
{
    QTest::addColumn<MonitorView>("view");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    const QByteArray ok = QByteArray::fromHex("4F4B0D0A");
    // 温度, a line break and 报警 in GB2312.
    const QByteArray chinese = QByteArray::fromHex("CEC2B6C80D0AB1A8BEAF");
    const QString chineseHex = QStringLiteral("CE C2 B6 C8 0D 0A B1 A8 BE AF ");
    const QString at = QStringLiteral("[2018-01-05 10:00:00.123]");
    QTest::newRow("OK raw: the data's own line break, no header")
            << MonitorView::Original << ok << "OK\r\n";
    QTest::newRow("OK hex") << MonitorView::Hex << ok << at + "[4] : 4F 4B 0D 0A \r\n";
    QTest::newRow("OK raw and hex")
            << MonitorView::OriginalHex << ok << at + "[4] : OK ( 4F 4B 0D 0A  )\r\n";
    QTest::newRow("Chinese raw") << MonitorView::Original << chinese << "温度\r\n报警";
    QTest::newRow("Chinese hex") << MonitorView::Hex << chinese
                                 << at + "[10] : " + chineseHex + "\r\n";
    QTest::newRow("Chinese raw and hex: trimmed, inner line break a space")
            << MonitorView::OriginalHex << QByteArray(" " + chinese + " ")
            << at + "[12] : 温度  报警 ( 20 " + chineseHex + "20  )\r\n";
    QTest::newRow("empty burst shows nothing") << MonitorView::Hex << QByteArray() << QString();
}

void TestMonitorText::displayForms()
{
    QFETCH(MonitorView, view);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QDateTime received(QDate(2018, 1, 5), QTime(10, 0, 0, 123));
    QCOMPARE(burstDisplayText(view, bytes, received), shown);
}

QTEST_GUILESS_MAIN(TestMonitorText)
#include "tst_monitortext.moc"
