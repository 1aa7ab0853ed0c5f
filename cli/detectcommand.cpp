#include "detectcommand.h"

#include "config.h"
#include "console.h"
#include "exitcodes.h"
#include "interruptwatcher.h"
#include "portdetectthread.h"
#include "portnames.h"
#include "texttable.h"
#include "workerwait.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

CliCommand DetectCommand::command()
{
    return {QStringLiteral("detect"),
            QString(),
            tr("在每个串口上以常用的波特率查找仪器, 列出找到的串口、波特率和设备名称"),
            {},
            0,
            0,
            [this](const QCommandLineParser &parser, const QStringList &) {
                return run(parser);
            }};
}

int DetectCommand::run(const QCommandLineParser &parser)
{
    const QStringList ports = probeCandidates(
            availablePortNames(), parser.values(QString::fromLatin1(CommonOption::kPort)));
    // --baud has been checked and stored for this run already.
    const QList<qint32> rates = parser.isSet(QString::fromLatin1(CommonOption::kBaud))
            ? QList<qint32>{configuredBaudRate()}
            : probeBaudRates();
    if (ports.isEmpty()) {
        Console::error(tr("没有可以检测的串口"));
        return ExitLink;
    }

    PortDetectThread detector;
    QList<PortProbeResult> results;
    QObject::connect(&detector, &PortDetectThread::signalPortProbed, &detector,
                     [&results](const PortProbeResult &result) { results.append(result); });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &detector,
                     &PortDetectThread::stop);
    detector.setCandidates(ports, rates);
    runWorker(detector, [&detector] { detector.start(); });
    if (detector.wasStopped())
        return ExitInterrupted;

    std::sort(results.begin(), results.end(),
              [](const PortProbeResult &a, const PortProbeResult &b) {
                  return portNameLess(a.port, b.port);
              });
    QJsonArray list;
    TextTable table;
    QStringList failures;
    for (const PortProbeResult &result : qAsConst(results)) {
        if (!result.found()) {
            if (!result.error.isEmpty())
                failures.append(result.error);
            continue;
        }
        list.append(QJsonObject{
                {QStringLiteral("port"), result.port},
                {QStringLiteral("baud"), result.baudRate},
                {QStringLiteral("device"), result.device},
        });
        table.addRow({result.port, QString::number(result.baudRate), result.device});
    }
    if (wantsJson(parser))
        Console::printJson(list);
    else
        Console::print(table.toString());
    if (!list.isEmpty())
        return ExitSuccess;
    // Ports the user may not open are the usual reason on a first start.
    Console::error(tr("没有找到仪器"));
    for (const QString &failure : qAsConst(failures))
        Console::error(failure);
    return ExitLink;
}
