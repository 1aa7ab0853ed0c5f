#include "commandline.h"

#include "batchchild.h"
#include "batchrunner.h"
#include "config.h"
#include "console.h"
#include "exitcodes.h"
#include "languagecodes.h"
#include "settingskeys.h"
#include "texttable.h"
#include "translationfiles.h"
#include "userfolder.h"

#include <QFileInfo>
#include <QLocale>
#include <QSet>

namespace {
constexpr char kProgramName[] = "norvo-cli";
constexpr char kHistoryCommand[] = "history";
const QString kIndent = QStringLiteral("  ");

// Exit statuses right-aligned, so their texts line up.
QString exitNumber(int status)
{
    constexpr int kWidth = 3;
    return kIndent + QString::number(status).rightJustified(kWidth);
}

QString optionKey(const char *name)
{
    return QString::fromLatin1(name);
}

// Started by a batch for one of its ports; not for users.
QCommandLineOption batchWorkerOption()
{
    QCommandLineOption option(optionKey(BatchChild::kOption));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

// How the option is written in help: "-o, --output <FILE.csv>".
QString optionSyntax(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString syntax = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        syntax += QStringLiteral(" <%1>").arg(option.valueName());
    return syntax;
}

QString optionList(const QList<QCommandLineOption> &options)
{
    TextTable table;
    for (const QCommandLineOption &option : options) {
        if (option.flags() & QCommandLineOption::HiddenFromHelp)
            continue;
        table.addRow({kIndent + optionSyntax(option), option.description()});
    }
    return table.toString();
}

// config.ini in the working directory, like the window; else the one the
// assistant keeps in the user's folder when the desktop menu starts it; else
// the working directory's, which then reads as empty.
QString defaultSettingsFile()
{
    const QString here = QString::fromLatin1(SettingsKeys::kFileName);
    if (QFileInfo::exists(here))
        return here;
    const QString userFile = userFolder() + QLatin1Char('/') + here;
    return QFileInfo::exists(userFile) ? userFile : here;
}
} // namespace

QList<CliCommand> CommandLine::commands()
{
    QList<CliCommand> list = m_items.commands();
    list.append(m_history.command());
    list.append(m_firmware.commands());
    list.append(m_monitor.command());
    list.append(m_detect.command());
    return list;
}

QList<QCommandLineOption> CommandLine::commonOptions() const
{
    return {
            {optionKey(CommonOption::kPort), tr("这次使用这个串口, 不改 config.ini。"),
             QStringLiteral("name")},
            {optionKey(CommonOption::kBaud), tr("这次使用这个波特率, 不改 config.ini。"),
             QStringLiteral("rate")},
            {optionKey(CommonOption::kConfig),
             tr("使用这个设置文件, 而不是工作目录中的 config.ini。"), QStringLiteral("FILE")},
            {optionKey(CommonOption::kJson), tr("把结果输出为 JSON。")},
            {optionKey(CommonOption::kLanguage),
             tr("输出和错误信息的语言: en_US、zh_CH 或 zh_TW。"), QStringLiteral("code")},
            {optionKey(CommonOption::kVerbose), tr("也在标准错误上显示 Qt 自己的警告。")},
            {optionKey(CommonOption::kPorts),
             tr("在这些串口上同时运行命令 (逗号分隔), 每个串口一行结果。"),
             QStringLiteral("A,B,…")},
            {optionKey(CommonOption::kPortsFrom),
             tr("在这个文件列出的串口上同时运行命令, 每行一个串口, 可在其后写波特率。"),
             QStringLiteral("FILE")},
            {optionKey(CommonOption::kRecord),
             tr("每个串口完成时在这个 CSV 文件末尾追加一行记录 (与 --ports 一起使用)。"),
             QStringLiteral("FILE.csv")},
            batchWorkerOption(),
            {{QStringLiteral("h"), QStringLiteral("help")}, tr("显示帮助。")},
            {{QStringLiteral("v"), QStringLiteral("version")}, tr("显示版本。")},
    };
}

const CliCommand *CommandLine::find(const QString &name) const
{
    for (const CliCommand &command : m_commands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

void CommandLine::addOptions(QCommandLineParser &parser, const CliCommand *command) const
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QList<QCommandLineOption> options = commonOptions();
    for (const CliCommand &each : m_commands) {
        if (!command || &each == command)
            options += each.options;
    }
    // Commands share some options (-o); the parser takes each name once.
    QSet<QString> seen;
    for (const QCommandLineOption &option : qAsConst(options)) {
        if (seen.contains(option.names().constFirst()))
            continue;
        seen.insert(option.names().constFirst());
        parser.addOption(option);
    }
}

bool CommandLine::needsPainting(const QStringList &arguments)
{
    CommandLine probe;
    probe.m_commands = probe.commands();
    QCommandLineParser parser;
    probe.addOptions(parser, nullptr);
    parser.parse(arguments);
    return parser.positionalArguments().value(0) == QLatin1String(kHistoryCommand)
            && HistoryCommand::exportsPdf(parser.value(optionKey(kOutputOption)));
}

int CommandLine::run(const QStringList &arguments)
{
    int status = parseAndRun(arguments);
    // A result that did not reach standard output is no result: a script
    // must not take the exit status for success. A failure already reported
    // keeps its own status.
    if (!Console::outputComplete()) {
        Console::error(tr("结果没能写到标准输出"));
        if (status == ExitSuccess)
            status = ExitFile;
    }
    // Read-only here: nothing is written back, the instance is only let go.
    singleton<Config>::destroyInstance();
    return status;
}

int CommandLine::parseAndRun(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(NORVO_VERSION));

    // A first look, before any text is translated: the settings file and the
    // language decide how everything else is said.
    m_commands = commands();
    QCommandLineParser firstLook;
    addOptions(firstLook, nullptr);
    firstLook.parse(arguments);
    const QString settingsFile = firstLook.value(optionKey(CommonOption::kConfig));
    Config::setFileName(settingsFile.isEmpty() ? defaultSettingsFile() : settingsFile);
    const QString language = firstLook.value(optionKey(CommonOption::kLanguage));
    m_language = chooseLanguage(language);
    if (!installTranslations(m_language))
        m_language = QString::fromLatin1(LanguageCodes::kSimplifiedChinese);

    m_commands = commands();
    const QString name = firstLook.positionalArguments().value(0);
    const CliCommand *command = find(name);
    QCommandLineParser parser;
    addOptions(parser, command);
    const bool parsed = parser.parse(arguments);
    if (!parsed)
        return usageError(parser.errorText(), command);
    if (parser.isSet(QStringLiteral("help"))) {
        Console::print(helpText(command));
        return ExitSuccess;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        Console::print(QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                     QCoreApplication::applicationVersion()));
        return ExitSuccess;
    }
    if (!language.isEmpty() && !LanguageCodes::isKnown(language))
        return usageError(tr("未知的语言: %1 (可选 en_US、zh_CH、zh_TW)").arg(language), nullptr);
    if (name.isEmpty())
        return usageError(tr("缺少命令"), nullptr);
    if (!command)
        return usageError(tr("未知的命令: %1").arg(name), nullptr);
    const QStringList commandArguments = parser.positionalArguments().mid(1);
    if (commandArguments.size() < command->minArguments
        || commandArguments.size() > command->maxArguments)
        return usageError(tr("参数个数不对"), command);
    const QString overrideError = overrideSerialSettings(parser);
    if (!overrideError.isEmpty())
        return usageError(overrideError, command);
    if (!settingsFile.isEmpty() && !QFileInfo(settingsFile).isFile()) {
        Console::error(tr("找不到设置文件: %1").arg(settingsFile));
        return ExitFile;
    }

    if (BatchRunner::isRequested(parser)) {
        BatchRunner batch(parser, *command, commandArguments, m_language);
        QString message;
        const int status = batch.prepare(&message);
        if (status == ExitUsage)
            return usageError(message, command);
        if (status != ExitSuccess) {
            Console::error(message);
            return status;
        }
        return batch.run();
    }
    if (parser.isSet(optionKey(CommonOption::kRecord)))
        return usageError(tr("--record 只能和 --ports 或 --ports-from 一起使用"), command);
    const bool worker = parser.isSet(optionKey(BatchChild::kOption));
    if (worker)
        Console::captureJson();
    const int status = command->run(parser, commandArguments);
    return worker ? BatchChild::finish(status, command->name) : status;
}

QString CommandLine::chooseLanguage(const QString &requested) const
{
    if (LanguageCodes::isKnown(requested))
        return requested;
    // The language chosen in the window, else the user's locale.
    const QString stored = singleton<Config>::instance()->value(SettingsKeys::kLanguage).toString();
    if (LanguageCodes::isKnown(stored))
        return stored;
    return LanguageCodes::forLocale(QLocale::system());
}

bool CommandLine::installTranslations(const QString &code)
{
    const bool loaded = loadProgramTranslation(&m_translator, code);
    if (loaded)
        QCoreApplication::installTranslator(&m_translator);
    else if (code != QLatin1String(LanguageCodes::kSimplifiedChinese))
        // The texts are written in Simplified Chinese; any other language needs its file.
        Console::error(tr("警告: 找不到 %1 的翻译文件, 以简体中文输出").arg(code));
    if (loadQtTranslation(&m_qtTranslator, code))
        QCoreApplication::installTranslator(&m_qtTranslator);
    return loaded || code == QLatin1String(LanguageCodes::kSimplifiedChinese);
}

QString CommandLine::overrideSerialSettings(const QCommandLineParser &parser) const
{
    Config *config = singleton<Config>::instance();
    if (parser.isSet(optionKey(CommonOption::kPort)))
        config->setOverride(SettingsKeys::kSerialPort,
                            parser.value(optionKey(CommonOption::kPort)));
    if (parser.isSet(optionKey(CommonOption::kBaud))) {
        const QString text = parser.value(optionKey(CommonOption::kBaud));
        bool ok = false;
        const int rate = text.toInt(&ok, 10);
        if (!ok || rate <= 0)
            return tr("波特率应为正整数: %1").arg(text);
        config->setOverride(SettingsKeys::kSerialBaudRate, QString::number(rate));
    }
    return QString();
}

QString CommandLine::usage(const CliCommand *command) const
{
    const QString program = QCoreApplication::applicationName();
    if (!command)
        return tr("%1 [选项] 命令 [参数]").arg(program);
    QString line = tr("%1 [选项] %2").arg(program, command->name);
    if (!command->arguments.isEmpty())
        line += QLatin1Char(' ') + command->arguments;
    return line;
}

int CommandLine::usageError(const QString &message, const CliCommand *command) const
{
    Console::error(message);
    Console::note(tr("用法: %1").arg(usage(command)) + QLatin1Char('\n')
                  + tr("运行 %1 --help 查看说明。")
                            .arg(command ? QCoreApplication::applicationName() + QLatin1Char(' ')
                                                 + command->name
                                         : QCoreApplication::applicationName())
                  + QLatin1Char('\n'));
    return ExitUsage;
}

QString CommandLine::helpText(const CliCommand *command) const
{
    QString text = tr("用法: %1").arg(usage(command)) + QStringLiteral("\n\n");
    if (command) {
        text += command->summary + QStringLiteral("\n\n");
        if (!command->options.isEmpty())
            text += tr("选项:") + QLatin1Char('\n') + optionList(command->options)
                    + QLatin1Char('\n');
    } else {
        text += tr("通过串口设置和读取 Norvo 仪表: 配置项、时钟、历史数据、固件和调试输出。")
                + QStringLiteral("\n\n");
        TextTable table;
        for (const CliCommand &each : m_commands) {
            const QString call = each.arguments.isEmpty()
                    ? each.name
                    : each.name + QLatin1Char(' ') + each.arguments;
            table.addRow({kIndent + call, each.summary});
        }
        text += tr("命令:") + QLatin1Char('\n') + table.toString() + QLatin1Char('\n');
    }
    text += tr("每个命令都接受的选项:") + QLatin1Char('\n') + optionList(commonOptions())
            + QLatin1Char('\n');

    TextTable codes;
    codes.addRow({exitNumber(ExitSuccess), tr("成功")});
    codes.addRow({exitNumber(ExitDiffers), tr("仪表与文件不同 (diff)")});
    codes.addRow({exitNumber(ExitUsage),
                  tr("用法错误: 未知的命令或选项, 缺少或写错的参数; 没有写入仪表")});
    codes.addRow({exitNumber(ExitFile), tr("文件问题: 无法读取、解析或写入文件")});
    codes.addRow({exitNumber(ExitLink),
                  tr("连接失败: 打不开串口、超时、CRC 错误、应答格式错误或串口断开")});
    codes.addRow(
            {exitNumber(ExitRefused),
             tr("仪表拒绝: 数值未被采用或回读不一致、没有这一项、时钟未被确认或固件包型号不符")});
    codes.addRow({exitNumber(ExitNetwork), tr("网络失败: 连不上下载服务器或它的应答不能用")});
    codes.addRow({exitNumber(ExitInterrupted), tr("下载被 Ctrl-C 中止")});
    text += tr("退出状态:") + QLatin1Char('\n') + codes.toString();
    if (!command)
        text += QLatin1Char('\n')
                + tr("运行 %1 命令 --help 查看该命令的选项。")
                          .arg(QCoreApplication::applicationName())
                + QLatin1Char('\n');
    return text;
}
