#include "simtestsupport.h"

#include <QtTest>

#include <QProcess>

#include <memory>

namespace {
constexpr int kRunTimeoutMs = 60000;
constexpr int kDampingItem = 12;
enum Column { Port = 2, Device = 3, Outcome = 6, Status = 7, Columns = 13 };

// The fields of one CSV line, or nothing when a quote is left open.
QStringList csvFields(const QString &line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar ch = line.at(i);
        if (ch == '"' && quoted && line.mid(i + 1, 1) == "\"")
            fields.last() += line.at(++i);
        else if (ch == '"')
            quoted = !quoted;
        else if (ch == ',' && !quoted)
            fields.append(QString());
        else
            fields.last() += ch;
    }
    return quoted ? QStringList() : fields;
}

// The record's lines after its header.
QList<QStringList> recordLines(const QString &path)
{
    QList<QStringList> lines;
    const QStringList text = QString::fromUtf8(SimTest::fileBytes(path)).split('\n');
    for (const QString &line : text.mid(1)) {
        if (!line.isEmpty())
            lines << csvFields(line);
    }
    return lines;
}

QProcess *startCli(const QStringList &arguments)
{
    auto *process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANG"), QStringLiteral("zh_CN.UTF-8"));
    process->setProcessEnvironment(environment);
    process->start(NORVO_CLI_PROGRAM, arguments);
    return process;
}

int finish(QProcess *process)
{
    const bool ended = process->waitForFinished(kRunTimeoutMs);
    return ended && process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
}
} // namespace

// norvo-cli on several simulated instruments at once.
class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SimTest::enterTemporaryDirectory(m_dir)); }

    // One port answers and takes the value, one is silent, one refuses it:
    // each is told apart, recorded, and the batch ends with the worst status.
    void portsFailApart()
    {
        const ItemSet builtIn = ItemSet::builtIn();
        ItemSet refusing;
        for (int i = 0; i < builtIn.count(); ++i) {
            const SimItem &item = builtIn.at(i);
            refusing.append(i == kDampingItem ? SimItem(item.name(), item.value(), true) : item);
        }
        InstrumentSimulator taking, silent, refusingSim;
        silent.faults().setSilent(true);
        refusingSim.setItems(refusing);
        for (InstrumentSimulator *sim : {&taking, &silent, &refusingSim})
            QVERIFY(sim->start());
        const QStringList ports{taking.portName(), silent.portName(), refusingSim.portName()};

        std::unique_ptr<QProcess> batch(
                startCli({"--ports", ports.join(','), "--baud", "115200", "--record", "units.csv",
                          "set", QString::number(kDampingItem), "7"}));
        QCOMPARE(finish(batch.get()), 5);
        const QList<QStringList> lines = recordLines("units.csv");
        QCOMPARE(lines.size(), 3);
        QMap<QString, QString> outcomes;
        for (const QStringList &line : lines) {
            QCOMPARE(line.size(), int(Columns));
            outcomes.insert(line.at(Port), line.at(Outcome) + ' ' + line.at(Status));
        }
        QCOMPARE(outcomes.value(ports.at(0)), QString("ok 0"));
        QCOMPARE(outcomes.value(ports.at(1)), QString("link 4"));
        QCOMPARE(outcomes.value(ports.at(2)), QString("refused 5"));
        QCOMPARE(taking.items().at(kDampingItem).value(), QString("7"));
        // Results in the order the ports were given, each with its device.
        const QStringList results = QString::fromUtf8(batch->readAllStandardOutput()).split('\n');
        QVERIFY(results.value(0).startsWith(ports.at(0)));
        QVERIFY(results.value(0).contains("NV-100 流量计"));
        QVERIFY(results.value(2).startsWith(ports.at(2)));
    }

    // read -o DIR/: one whole file per port, named after the port and the
    // device, for long port names too that differ only at their end.
    void readIntoDirectory()
    {
        InstrumentSimulator first, second;
        QVERIFY(first.start() && second.start());
        const QString link = QDir::current().absoluteFilePath(
                "usb-Silicon_Labs_CP2102N_USB_to_UART_Bridge_Controller_%1-if00-port0");
        QVERIFY(QFile::link(first.portName(), link.arg("A1")));
        QVERIFY(QFile::link(second.portName(), link.arg("B2")));
        std::unique_ptr<QProcess> batch(startCli({"--ports", link.arg("A1") + ',' + link.arg("B2"),
                                                  "--baud", "115200", "read", "-o", "units/"}));
        QCOMPARE(finish(batch.get()), 0);
        const QStringList files = QDir("units").entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files.size(), 2);
        for (const QString &file : files) {
            QVERIFY2(file.endsWith("-if00-port0_NV-100_流量计.csv"), qPrintable(file));
            QVERIFY(SimTest::fileBytes("units/" + file).contains("设备型号"));
        }
    }

    // Two batches appending to one record at the same moment: every line whole.
    void sharedRecordKeepsWholeLines()
    {
        constexpr int kPortsEach = 12;
        QFile::remove("shared.csv");
        std::vector<std::unique_ptr<QProcess>> batches;
        for (const char *name : {"a", "b"}) {
            QStringList ports;
            for (int i = 0; i < kPortsEach; ++i)
                ports << QString("/nonexistent/%1tty%2").arg(name).arg(i);
            batches.emplace_back(
                    startCli({"--ports", ports.join(','), "--record", "shared.csv", "clock"}));
        }
        for (const auto &batch : batches)
            QCOMPARE(finish(batch.get()), 4);
        const QList<QStringList> lines = recordLines("shared.csv");
        QCOMPARE(lines.size(), 2 * kPortsEach);
        QSet<QString> ports;
        for (const QStringList &line : lines) {
            QCOMPARE(line.size(), int(Columns));
            QCOMPARE(line.at(Outcome), QString("link"));
            ports.insert(line.at(Port));
        }
        QCOMPARE(ports.size(), 2 * kPortsEach);
        QVERIFY(SimTest::fileBytes("shared.csv").startsWith("\xEF\xBB\xBFtime_utc,"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"
