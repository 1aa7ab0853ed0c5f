#include "itemcommands.h"

#include "choicelist.h"
#include "clocksync.h"
#include "commandset.h"
#include "console.h"
#include "datearguments.h"
#include "exitcodes.h"
#include "itemcomparison.h"
#include "itemcsv.h"
#include "itemreader.h"
#include "itemrows.h"
#include "itemwriter.h"
#include "itemwritethread.h"
#include "portnames.h"
#include "refreshthread.h"
#include "seriallink.h"
#include "skipitems.h"
#include "texttable.h"
#include "workerwait.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace {
constexpr char kAtOption[] = "at";
constexpr char kIncludeClockOption[] = "include-clock";
constexpr char kOnlyChangedOption[] = "only-changed";
constexpr char kVerifyOption[] = "verify";
constexpr int kItemNumberDigits = 2;

QString itemNumber(int item)
{
    return QString::number(item).rightJustified(kItemNumberDigits, QLatin1Char('0'));
}

// The item list as the main window's tree holds it after a refresh.
struct ItemListRead
{
    QVector<ItemRowText> rows;
    QString error;
};

ItemListRead readItemList()
{
    const SkipTable table = loadSkipTable(skipItemsPath());
    ItemListRead result;
    RefreshThread thread;
    QObject receiver;
    QObject::connect(&thread, &RefreshThread::signalClearItems, &receiver, [&result] {
        result.rows.clear();
        SkipFilter::reset();
    });
    QObject::connect(&thread, &RefreshThread::signalAddItems, &receiver,
                     [&](int index, const QStringList &list) {
                         appendItemRows(result.rows, table, index, list);
                     });
    QObject::connect(&thread, &RefreshThread::showErrorMessage, &receiver,
                     [&result](const QString &, const QString &error) { result.error = error; });
    runWorker(thread, [&thread] { thread.start(QThread::InheritPriority); });
    endItemRows(result.rows);
    return result;
}

QJsonObject itemJson(int item, const QString &name, const QString &value, bool action)
{
    QJsonObject object{{QStringLiteral("item"), item}, {QStringLiteral("name"), name}};
    if (action)
        object.insert(QStringLiteral("action"), true);
    else
        object.insert(QStringLiteral("value"), value);
    return object;
}

void printItemList(const QVector<ItemRowText> &rows, bool json)
{
    QJsonArray items;
    TextTable table;
    for (const ItemRowText &row : rows) {
        const ItemEditTexts texts = prepareItemEdit(row.column0, row.column1);
        items.append(itemJson(row.item, texts.name, texts.value, texts.isAction));
        table.addRow({itemNumber(row.item), texts.name, texts.isAction ? QString() : texts.value});
    }
    if (json)
        Console::printJson(items);
    else
        Console::print(table.toString());
}

// The exit status of a write that did not complete.
int writeFailureStatus(ItemWriteOutcome outcome)
{
    return outcome == ItemWriteOutcome::TooLong ? ExitFile : ExitLink;
}

// The rows the window would show after importing the file; ExitSuccess or
// ExitFile, the error already said.
int readFileRows(const QString &fileName, QVector<ItemRowText> *rows)
{
    QVector<ItemRecord> records;
    const QString importError = importItemFile(fileName, &records);
    if (!importError.isEmpty()) {
        Console::error(importError);
        return ExitFile;
    }
    *rows = itemFileRows(records, loadSkipTable(skipItemsPath()));
    return ExitSuccess;
}

// The instrument's list compared with the file's rows; ExitSuccess, or the
// status of the read that failed.
int compareWithInstrument(const QVector<ItemRowText> &fileRows, ItemComparison *comparison)
{
    const ItemListRead list = readItemList();
    if (!list.error.isEmpty()) {
        Console::error(list.error);
        return ExitLink;
    }
    *comparison = ItemComparison::compare(list.rows, fileRows);
    return ExitSuccess;
}

QJsonValue jsonValueOrNull(bool present, const QString &value)
{
    return present ? QJsonValue(value) : QJsonValue();
}
} // namespace

QList<CliCommand> ItemCommands::commands()
{
    const QCommandLineOption output({QStringLiteral("o"), QString::fromLatin1(kOutputOption)},
                                    tr("把配置项保存为导出配置所写的 CSV 文件。"),
                                    QStringLiteral("FILE.csv"));
    const QCommandLineOption at(QString::fromLatin1(kAtOption),
                                tr("设置为这个时间而不是电脑的当前时间。"),
                                QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QCommandLineOption includeClock(QString::fromLatin1(kIncludeClockOption),
                                          tr("也写入 yyyy-MM-dd hh:mm:ss 形式的数值 (仪表的时钟); "
                                             "默认跳过, 时钟请用 clock 设置。"));
    const QCommandLineOption onlyChanged(QString::fromLatin1(kOnlyChangedOption),
                                         tr("先读取仪表, 只写入与文件不同的项, 如同写入差异。"));
    const QCommandLineOption verify(
            QString::fromLatin1(kVerifyOption),
            tr("写入后回读每个写入的项并与文件比较; 不一致时退出状态为 5。"));
    return {
            {QStringLiteral("ports"),
             QString(),
             tr("列出电脑上的串口, 带说明和 USB 厂商/产品号"),
             {},
             0,
             0,
             [this](const QCommandLineParser &parser, const QStringList &) {
                 return listPorts(parser);
             }},
            {QStringLiteral("read"),
             QString(),
             tr("读取仪表的配置项, 显示为表格、JSON 或保存为 CSV 文件"),
             {output},
             0,
             0,
             [this](const QCommandLineParser &parser, const QStringList &) {
                 return read(parser);
             }},
            {QStringLiteral("write"),
             QStringLiteral("FILE.csv"),
             tr("把 CSV 文件中每个带数值的配置项写入仪表, 如同写入配置"),
             {includeClock, onlyChanged, verify},
             1,
             1,
             [this](const QCommandLineParser &parser, const QStringList &arguments) {
                 return write(parser, arguments.at(0));
             }},
            {QStringLiteral("diff"),
             QStringLiteral("FILE.csv"),
             tr("读取仪表并与 CSV 文件对比, 列出不同的项, 如同对比配置"),
             {},
             1,
             1,
             [this](const QCommandLineParser &parser, const QStringList &arguments) {
                 return diff(parser, arguments.at(0));
             }},
            {QStringLiteral("set"),
             QStringLiteral("N [VALUE]"),
             tr("把数值写入第 N 项 (项目编号, 与 CSV 文件中的相同, 从 0 起); 操作项不带数值, "
                "执行它"),
             {},
             1,
             2,
             [this](const QCommandLineParser &parser, const QStringList &arguments) {
                 return set(parser, arguments);
             }},
            {QStringLiteral("clock"),
             QString(),
             tr("设置仪表的时钟, 默认为电脑的当前时间"),
             {at},
             0,
             0,
             [this](const QCommandLineParser &parser, const QStringList &) {
                 return setClock(parser);
             }},
    };
}

int ItemCommands::listPorts(const QCommandLineParser &parser)
{
    QList<PortDescription> ports = availablePorts();
    std::sort(ports.begin(), ports.end(), [](const PortDescription &a, const PortDescription &b) {
        return portNameLess(a.name, b.name);
    });
    QJsonArray list;
    TextTable table;
    for (const PortDescription &port : qAsConst(ports)) {
        // A port this user may not read and write fails every command.
        const bool denied = portAccessDenied(port.name);
        list.append(QJsonObject{
                {QStringLiteral("name"), port.name},
                {QStringLiteral("description"), port.description},
                {QStringLiteral("usb"), port.usbId.isEmpty() ? QJsonValue() : port.usbId},
                {QStringLiteral("accessible"), !denied},
        });
        table.addRow({port.name, port.description, denied ? tr("无权读写") : QString()});
    }
    if (wantsJson(parser))
        Console::printJson(list);
    else if (ports.isEmpty())
        Console::note(tr("没有找到串口") + QLatin1Char('\n'));
    else
        Console::print(table.toString());
    return ExitSuccess;
}

int ItemCommands::read(const QCommandLineParser &parser)
{
    const ItemListRead list = readItemList();
    // A list cut short by an error is not worth a file: a script would take
    // it for the whole configuration.
    if (!list.error.isEmpty()) {
        Console::error(list.error);
        return ExitLink;
    }
    const QString fileName = parser.value(QString::fromLatin1(kOutputOption));
    if (!fileName.isEmpty()) {
        const QString error = exportItemFile(fileName, list.rows);
        if (!error.isEmpty()) {
            Console::error(error);
            return ExitFile;
        }
        Console::note(tr("%1 项已保存到 %2").arg(list.rows.size()).arg(fileName)
                      + QLatin1Char('\n'));
        if (wantsJson(parser))
            printItemList(list.rows, true);
        return ExitSuccess;
    }
    printItemList(list.rows, wantsJson(parser));
    return ExitSuccess;
}

int ItemCommands::diff(const QCommandLineParser &parser, const QString &fileName)
{
    QVector<ItemRowText> fileRows;
    ItemComparison comparison;
    int status = readFileRows(fileName, &fileRows);
    if (status == ExitSuccess)
        status = compareWithInstrument(fileRows, &comparison);
    if (status != ExitSuccess)
        return status;

    QJsonArray list;
    TextTable table;
    const QString absent = tr("(无)");
    for (const ComparedItem &entry : comparison.entries()) {
        if (entry.difference == ItemDifference::Same)
            continue;
        const bool onInstrument = entry.difference != ItemDifference::OnlyInFile;
        const bool inFile = entry.difference != ItemDifference::OnlyOnInstrument;
        list.append(QJsonObject{
                {QStringLiteral("item"), entry.item},
                {QStringLiteral("name"), entry.name},
                {QStringLiteral("instrument"),
                 jsonValueOrNull(onInstrument, entry.instrumentValue)},
                {QStringLiteral("file"), jsonValueOrNull(inFile, entry.fileValue)},
        });
        table.addRow({itemNumber(entry.item), entry.name,
                      onInstrument ? entry.instrumentValue : absent,
                      inFile ? entry.fileValue : absent});
    }
    if (wantsJson(parser)) {
        Console::printJson(list);
    } else {
        if (!table.isEmpty())
            Console::print(table.toString());
        Console::print(comparison.summaryText() + QLatin1Char('\n'));
    }
    return comparison.matches() ? ExitSuccess : ExitDiffers;
}

int ItemCommands::write(const QCommandLineParser &parser, const QString &fileName)
{
    QVector<ItemRowText> rows;
    int status = readFileRows(fileName, &rows);
    if (status != ExitSuccess)
        return status;
    // The items write-all would send after importing the file, or only those
    // the instrument holds otherwise.
    QVector<ItemWriteThread::Step> candidates;
    const bool onlyChanged = parser.isSet(QString::fromLatin1(kOnlyChangedOption));
    if (onlyChanged) {
        ItemComparison comparison;
        status = compareWithInstrument(rows, &comparison);
        if (status != ExitSuccess)
            return status;
        for (const ComparedItem &entry : comparison.writePlan())
            candidates.append({entry.item, entry.fileValue, kValueItemFields});
    } else {
        QStringList valueTexts;
        for (const ItemRowText &row : qAsConst(rows))
            valueTexts.append(row.column1);
        for (const BulkWriteStep &step : bulkWritePlan(valueTexts))
            candidates.append({rows.at(step.row).item, step.value, kValueItemFields});
    }
    // A time from an older file would set the instrument's clock back: such
    // values go only when asked for, as the window asks.
    const bool withClock = parser.isSet(QString::fromLatin1(kIncludeClockOption));
    QVector<ItemWriteThread::Step> steps;
    for (const ItemWriteThread::Step &step : qAsConst(candidates)) {
        if (withClock || !isClockStamp(step.value)) {
            steps.append(step);
            continue;
        }
        Console::note(tr("第 %1 项的时间 %2 未写入; 写入请加 --include-clock, 设置时钟请用 clock")
                              .arg(step.item)
                              .arg(step.value)
                      + QLatin1Char('\n'));
    }
    if (onlyChanged && steps.isEmpty()) {
        Console::note(nothingToWriteText() + QLatin1Char('\n'));
        if (wantsJson(parser))
            Console::printJson(QJsonArray());
        return ExitSuccess;
    }
    return writeSteps(parser, steps);
}

int ItemCommands::writeSteps(const QCommandLineParser &parser,
                             const QVector<ItemWriteThread::Step> &steps)
{
    const bool json = wantsJson(parser);
    const bool verify = parser.isSet(QString::fromLatin1(kVerifyOption));
    QJsonArray report;
    int refused = 0;
    std::optional<ItemWriteResult> failure;
    std::optional<ItemVerifyResult> verified;
    ItemWriteThread thread;
    QObject receiver;
    QObject::connect(&thread, &ItemWriteThread::signalWritten, &receiver,
                     [&](int step, const ItemWriteResult &result) {
                         const ItemWriteThread::Step &sent = steps.at(step);
                         if (!result.isWritten()) {
                             failure = result;
                             Console::error(result.errorText);
                             Console::error(tr("写入配置失败: %1").arg(sent.value));
                             return;
                         }
                         // A refused value comes back as the old one.
                         const QString echoed = result.echoedValue();
                         const bool taken = echoTakesValue(echoed, sent.value);
                         refused += taken ? 0 : 1;
                         QJsonObject entry
                                 = itemJson(sent.item, result.echoParts.value(0), echoed, false);
                         entry.insert(QStringLiteral("sent"), sent.value);
                         entry.insert(QStringLiteral("taken"), taken);
                         report.append(entry);
                         if (json)
                             return;
                         QString line = QStringLiteral("%1  %2: %3")
                                                .arg(itemNumber(sent.item),
                                                     Console::oneLine(result.echoParts.value(0)),
                                                     Console::oneLine(echoed));
                         if (!taken)
                             line += QStringLiteral("  ") + tr("(未采用 %1)").arg(sent.value);
                         Console::print(line + QLatin1Char('\n'));
                     });
    QObject::connect(&thread, &ItemWriteThread::signalVerified, &receiver,
                     [&](const ItemVerifyResult &result) { verified = result; });
    runWorker(thread, [&] { thread.startWrites(steps, verify); });

    // Each written step has its entry in the report, in step order; the items
    // whose echo showed their value taken were read back, and "verified" says
    // whether the instrument still held it (a batch's record takes it from here).
    if (verified && verified->errorText.isEmpty()) {
        for (int step = 0; step < report.size(); ++step) {
            QJsonObject entry = report.at(step).toObject();
            if (entry.value(QStringLiteral("taken")).toBool())
                entry.insert(QStringLiteral("verified"), true);
            report.replace(step, entry);
        }
        for (const ItemReadBack &mismatch : qAsConst(verified->mismatches)) {
            QJsonObject entry = report.at(mismatch.step).toObject();
            entry.insert(QStringLiteral("readBack"), mismatch.value);
            entry.insert(QStringLiteral("verified"), false);
            report.replace(mismatch.step, entry);
        }
    }
    if (json)
        Console::printJson(report);
    if (failure)
        return writeFailureStatus(failure->outcome);
    if (!json)
        Console::print(tr("写入 %1 项, 未采用 %2 项").arg(steps.size()).arg(refused)
                       + QLatin1Char('\n'));
    if (verified && !verified->errorText.isEmpty()) {
        Console::error(verified->errorText);
        return ExitLink;
    }
    if (verified) {
        for (const ItemReadBack &mismatch : qAsConst(verified->mismatches)) {
            const ItemWriteThread::Step &sent = steps.at(mismatch.step);
            Console::error(readBackMismatchText(sent.item, Console::oneLine(mismatch.name),
                                                Console::oneLine(sent.value),
                                                Console::oneLine(mismatch.value)));
        }
        if (!verified->mismatches.isEmpty())
            return ExitRefused;
        if (!json)
            Console::print(readBackConsistentText(verified->checked) + QLatin1Char('\n'));
    }
    return refused > 0 ? ExitRefused : ExitSuccess;
}

int ItemCommands::set(const QCommandLineParser &parser, const QStringList &arguments)
{
    bool numberOk = false;
    const int item = arguments.at(0).toInt(&numberOk, 10);
    if (!numberOk || item < 0 || item > RefreshThread::kLastItemNumber) {
        Console::error(tr("项目编号应为 0 到 %1 的整数: %2")
                               .arg(RefreshThread::kLastItemNumber)
                               .arg(arguments.at(0)));
        return ExitUsage;
    }
    const QString value = arguments.value(1);
    if (!itemTextFits(value)) {
        Console::error(itemValueTooLongText());
        return ExitUsage;
    }

    // Whether the item is an action or carries a value decides what is sent
    // and what its echo must look like; the instrument knows, so ask it.
    QStringList fields;
    const QString readError = readItemFromDevice(item, &fields);
    if (!readError.isEmpty()) {
        Console::error(readError);
        return ExitLink;
    }
    if (fields.isEmpty()) {
        Console::error(tr("仪表没有第 %1 项").arg(item));
        return ExitRefused;
    }
    const bool action = fields.size() == kActionItemFields;
    if (action && !value.isEmpty()) {
        Console::error(tr("第 %1 项 %2 是操作项, 执行时不带数值").arg(item).arg(fields.at(0)));
        return ExitUsage;
    }
    if (!action && arguments.size() < 2) {
        Console::error(tr("第 %1 项 %2 需要一个新数值").arg(item).arg(fields.at(0)));
        return ExitUsage;
    }

    const ItemWriteResult result
            = writeItemToDevice(item, value, action ? kActionItemFields : kValueItemFields);
    if (!result.isWritten()) {
        Console::error(result.errorText);
        return writeFailureStatus(result.outcome);
    }
    const QString echoed = result.echoedValue();
    const bool taken = action || echoTakesValue(echoed, value);
    if (wantsJson(parser)) {
        QJsonObject entry = itemJson(item, result.echoParts.value(0), echoed, action);
        entry.insert(QStringLiteral("sent"), value);
        entry.insert(QStringLiteral("taken"), taken);
        Console::printJson(entry);
    } else {
        QString line = itemNumber(item) + QStringLiteral("  ")
                + Console::oneLine(result.echoParts.value(0));
        if (!action)
            line += QStringLiteral(": ") + Console::oneLine(echoed);
        Console::print(line + QLatin1Char('\n'));
    }
    if (!taken) {
        Console::error(tr("仪表未采用数值 %1, 第 %2 项仍为 %3").arg(value).arg(item).arg(echoed));
        return ExitRefused;
    }
    return ExitSuccess;
}

int ItemCommands::setClock(const QCommandLineParser &parser)
{
    QDateTime moment = QDateTime::currentDateTime();
    QString error = DateArguments::yearError(moment.date());
    if (parser.isSet(QString::fromLatin1(kAtOption)))
        moment = DateArguments::parseMoment(parser.value(QString::fromLatin1(kAtOption)), &error);
    if (!error.isEmpty()) {
        Console::error(error);
        return ExitUsage;
    }

    const ClockSyncResult result = syncDeviceClock(moment);
    if (!result.isAcknowledged()) {
        Console::error(result.errorText);
        return result.outcome == ClockSyncOutcome::Refused ? ExitRefused : ExitLink;
    }
    const QString time = moment.toString(QString::fromLatin1(DateArguments::kMomentFormat));
    if (wantsJson(parser))
        Console::printJson(QJsonObject{{QStringLiteral("time"), time},
                                       {QStringLiteral("acknowledged"), true}});
    else
        Console::print(tr("同步时间成功: %1").arg(time) + QLatin1Char('\n'));
    return ExitSuccess;
}
