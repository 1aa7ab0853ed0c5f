#include "commandset.h"
#include "seriallink.h"
#include "simtestsupport.h"

#include <QtTest>

#include <QProcess>
#include <QSerialPort>

#include <csignal>

// What the other serial tests and the demo rely on in the simulated instrument:
// requests recognised only with a good CRC, every byte counted, item files read
// as documented, and the program reachable through its link.
class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }
    void cleanup() { SimTest::resetSettings(); }
    void garbledAndSplitRequests();
    void itemFile_data();
    void itemFile();
    void programWithLinkAndItemFile();

private:
    QTemporaryDir m_dir;
};

// Other tests prove "nothing was sent" by the byte count, so it must see every byte.
void TestSimulator::garbledAndSplitRequests()
{
    InstrumentSimulator sim;
    const QString error = SimTest::startOnConfiguredPort(sim);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QSerialPort port;
    QVERIFY(openSerialPort(port));
    QByteArray badCrc = makeReadItemFrame(2);
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x01);
    const QByteArray good = makeReadItemFrame(1);
    const QByteArray head = QByteArray::fromHex("0013") + badCrc + good.left(3);

    port.write(head);
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(!sim.waitForFrames(1, 50));
    port.write(good.mid(3));
    QVERIFY(port.waitForBytesWritten(kWriteTimeoutMs));
    QVERIFY(sim.waitForFrames(1, kFirstAnswerTimeoutMs));
    QCOMPARE(sim.receivedFrames(), QList<QByteArray>{good});
    QCOMPARE(sim.receivedByteCount(), qint64(head.size() + good.size() - 3));
}

void TestSimulator::itemFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items"); // answer texts, or the error as the only entry
    QTest::newRow("values, colon in value, read-only, action, comments")
            << "# demo\n设备名称 : NV-1\n\n!序列号:A1\n报警时间:12:30\n保存配置\n"
            << QStringList{"设备名称:NV-1", "序列号:A1", "报警时间:12:30", "保存配置"};
    QTest::newRow("no name") << "A:1\n:2\n" << QStringList{"line 2: item without a name"};
    QTest::newRow("read-only action") << "!重启设备\n"
                                      << QStringList{"line 1: an action item cannot be read-only"};
}

void TestSimulator::itemFile()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    ItemSet set;
    QString error;
    if (!ItemSet::parse(text, &set, &error)) {
        QCOMPARE(QStringList{error}, items);
        return;
    }
    QStringList texts;
    for (int i = 0; i < set.count(); ++i)
        texts << set.at(i).text();
    QCOMPARE(texts, items);
}

void TestSimulator::programWithLinkAndItemFile()
{
    QFile itemFile(QStringLiteral("items.txt"));
    QVERIFY(itemFile.open(QIODevice::WriteOnly));
    itemFile.write("设备型号:NV-7\n");
    itemFile.close();
    const QString link = m_dir.filePath(QStringLiteral("ttyNorvo"));

    QProcess sim;
    sim.start(QStringLiteral(NORVO_SIM_PROGRAM),
              {"--items", itemFile.fileName(), "--link", link, "--latency", "0"});
    QVERIFY(sim.waitForReadyRead(kFirstAnswerTimeoutMs));
    QVERIFY(sim.readLine().trimmed().startsWith("/dev/pts/"));
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, link);
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialBaudRate,
                                            QString::number(SimTest::kBaudRate));
    {
        QSerialPort port;
        QVERIFY(openSerialPort(port));
        QByteArray answer;
        QCOMPARE(requestItem(port, 0, answer), LinkOk);
        QString text;
        QVERIFY(checkCrc(answer));
        QCOMPARE(checkDataAnswer(answer, &text), DataAnswerCheck::Ok);
        QCOMPARE(text, QStringLiteral("设备型号:NV-7"));
    }
    ::kill(pid_t(sim.processId()), SIGTERM);
    QVERIFY(sim.waitForFinished(kFirstAnswerTimeoutMs));
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
