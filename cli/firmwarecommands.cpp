#include "firmwarecommands.h"

#include "batchchild.h"
#include "bootloaderframes.h"
#include "config.h"
#include "console.h"
#include "ddbserver.h"
#include "devicetypemgr.h"
#include "downloadthread.h"
#include "exitcodes.h"
#include "interruptwatcher.h"
#include "progressreport.h"
#include "settingskeys.h"
#include "texttable.h"
#include "updatethread.h"
#include "workerwait.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace {
constexpr char kFastOption[] = "fast";
constexpr char kDirectoryOption[] = "dir";
constexpr char kForceOption[] = "force";

QJsonObject packageJson(const QString &fileName, const DEncryptInfo &package)
{
    return QJsonObject{{QStringLiteral("file"), fileName},
                       {QStringLiteral("device"), package.device()},
                       {QStringLiteral("model"), package.model()},
                       {QStringLiteral("version"), package.version()},
                       {QStringLiteral("imageBytes"), package.image().size()}};
}
} // namespace

QList<CliCommand> FirmwareCommands::commands()
{
    const QCommandLineOption fast(QString::fromLatin1(kFastOption),
                                  tr("每个应答一到齐就继续, 不再等待线路安静。"));
    const QCommandLineOption directory(QString::fromLatin1(kDirectoryOption),
                                       tr("下载到这个目录(必需)。"), QStringLiteral("DIR"));
    const QCommandLineOption force(QString::fromLatin1(kForceOption),
                                   tr("替换目录中已有的同名文件。"));
    return {
            {QStringLiteral("package-info"),
             QStringLiteral("FILE.nvbin"),
             tr("校验固件包, 显示其设备、型号、版本和固件大小"),
             {},
             1,
             1,
             [this](const QCommandLineParser &parser, const QStringList &arguments) {
                 return packageInfo(parser, arguments.at(0));
             }},
            {QStringLiteral("flash"),
             QStringLiteral("FILE.nvbin"),
             tr("通过引导程序把固件包写入仪表"),
             {fast},
             1,
             1,
             [this](const QCommandLineParser &parser, const QStringList &arguments) {
                 return flash(parser, arguments.at(0));
             }},
            {QStringLiteral("catalogue"),
             QString(),
             tr("列出厂家下载页上的固件包"),
             {},
             0,
             0,
             [this](const QCommandLineParser &parser, const QStringList &) {
                 return catalogue(parser);
             }},
            {QStringLiteral("download"),
             QStringLiteral("NAME"),
             tr("从厂家下载页下载一个固件包"),
             {directory, force},
             1,
             1,
             [this](const QCommandLineParser &parser, const QStringList &arguments) {
                 return download(parser, arguments.at(0));
             }},
    };
}

int FirmwareCommands::packageInfo(const QCommandLineParser &parser, const QString &fileName)
{
    // The package loader speaks as the update dialog does ("更新失败"); no
    // update was tried here.
    if (!QFileInfo::exists(fileName)) {
        Console::error(tr("文件不存在: %1").arg(fileName));
        return ExitFile;
    }
    DEncryptInfo package;
    const QString error = loadPackageForUpdate(fileName, &package);
    if (!error.isEmpty()) {
        Console::error(error);
        return ExitFile;
    }
    if (wantsJson(parser)) {
        Console::printJson(packageJson(fileName, package));
        return ExitSuccess;
    }
    const int bytes = package.image().size();
    TextTable table;
    table.addRow({tr("设备:"), package.device()});
    table.addRow({tr("型号:"), package.model()});
    table.addRow({tr("版本:"), package.version()});
    table.addRow(
            {tr("固件:"),
             tr("%1 字节, %2 页").arg(bytes).arg((bytes + kBootPageBytes - 1) / kBootPageBytes)});
    Console::print(table.toString());
    return ExitSuccess;
}

int FirmwareCommands::flash(const QCommandLineParser &parser, const QString &fileName)
{
    DEncryptInfo package;
    QString error = loadPackageForUpdate(fileName, &package);
    if (error.isEmpty())
        error = UpdateThread::packageRefusal(package);
    if (!error.isEmpty()) {
        Console::error(error);
        return ExitFile;
    }
    if (parser.isSet(QString::fromLatin1(kFastOption)))
        singleton<Config>::instance()->setOverride(SettingsKeys::kFirmwareFastCompletion, true);

    UpdateThread thread;
    thread.setPackage(package);
    ProgressReport progress(tr("更新固件"));
    QString updateError;
    bool succeeded = false;
    QObject receiver;
    QObject::connect(&thread, &UpdateThread::signalUpdateProgress, &receiver,
                     [&progress](int value) { progress.update(value); });
    QObject::connect(&thread, &UpdateThread::signalShowErrorMessage, &receiver,
                     [&updateError](const QString &message) { updateError = message; });
    QObject::connect(&thread, &UpdateThread::signalUpdateSucceed, &receiver,
                     [&succeeded] { succeeded = true; });
    // Cutting an update short leaves the instrument without firmware: Ctrl-C
    // is refused as the dialog refuses to close.
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &receiver, [] {
        Console::note(QLatin1Char('\n')
                      + QCoreApplication::translate("UpdateDialog", "正在更新固件,请等待更新完成!")
                      + QLatin1Char('\n'));
    });
    runWorker(thread, [&thread] { thread.start(QThread::InheritPriority); });
    progress.finish(succeeded);
    // The boot-loader names only the model; the name is the package's once it went on.
    if (!thread.identifiedModel().isEmpty())
        BatchChild::setIdentity(succeeded ? package.device() : QString(), thread.identifiedModel());

    if (!succeeded) {
        Console::error(updateError);
        return thread.failure() == UpdateThread::Failure::WrongModel ? ExitRefused : ExitLink;
    }
    if (wantsJson(parser))
        Console::printJson(packageJson(fileName, package));
    else
        Console::print(QCoreApplication::translate("UpdateDialog", "固件更新成功!")
                       + QLatin1Char('\n'));
    return ExitSuccess;
}

int FirmwareCommands::fetchCatalogue(DeviceTypeMgr &manager)
{
    QString fetchError;
    bool finished = false;
    QObject receiver;
    QObject::connect(&manager, &DeviceTypeMgr::signalShowErrorMessage, &receiver,
                     [&fetchError](const QString &message) { fetchError = message; });
    QObject::connect(&manager, &DeviceTypeMgr::signalFinished, &receiver,
                     [&finished] { finished = true; });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &receiver,
                     [&manager] { manager.requestStop(); });
    runWorker(manager, [&manager] { manager.start(QThread::InheritPriority); });
    if (interrupts.count() > 0)
        return ExitInterrupted;
    if (!finished) {
        Console::error(fetchError);
        return ExitNetwork;
    }
    return ExitSuccess;
}

int FirmwareCommands::catalogue(const QCommandLineParser &parser)
{
    DeviceTypeMgr manager;
    const int status = fetchCatalogue(manager);
    if (status != ExitSuccess)
        return status;
    const QMap<QString, QString> entries = manager.catalogue();
    QJsonArray list;
    TextTable table;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        list.append(QJsonObject{{QStringLiteral("name"), entry.key()},
                                {QStringLiteral("link"), entry.value()}});
        table.addRow({entry.key(), entry.value()});
    }
    if (wantsJson(parser))
        Console::printJson(list);
    else
        Console::print(table.toString());
    return ExitSuccess;
}

int FirmwareCommands::download(const QCommandLineParser &parser, const QString &name)
{
    const QString directory = parser.value(QString::fromLatin1(kDirectoryOption));
    if (directory.isEmpty()) {
        Console::error(tr("缺少下载目录 --dir"));
        return ExitUsage;
    }
    DeviceTypeMgr manager;
    const int status = fetchCatalogue(manager);
    if (status != ExitSuccess)
        return status;
    const QString link = manager.catalogue().value(name);
    if (link.isEmpty()) {
        Console::error(tr("下载页上没有这个固件包: %1 (见 norvo-cli catalogue)").arg(name));
        return ExitUsage;
    }

    DownloadThread thread;
    ProgressReport progress(tr("下载"));
    QString downloadError;
    bool succeeded = false;
    QObject receiver;
    QObject::connect(&thread, &DownloadThread::signalSetDownloadProgress, &receiver,
                     [&progress](int value) { progress.update(value); });
    QObject::connect(&thread, &DownloadThread::signalShowErrorMessage, &receiver,
                     [&downloadError](const QString &message) { downloadError = message; });
    QObject::connect(&thread, &DownloadThread::signalDownloadSucceed, &receiver,
                     [&succeeded] { succeeded = true; });
    // A stopped download leaves neither a partial file nor an older one changed.
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &receiver,
                     [&thread] { thread.requestStop(); });
    const bool replace = parser.isSet(QString::fromLatin1(kForceOption));
    runWorker(thread, [&] { thread.startDownload(link, directory, replace); });
    progress.finish(succeeded);

    if (interrupts.count() > 0 && !succeeded)
        return ExitInterrupted;
    if (thread.failure() == DownloadThread::Failure::Exists) {
        Console::error(downloadError + QLatin1Char('\n') + tr("加上 --force 替换它。"));
        return ExitFile;
    }
    if (!succeeded) {
        Console::error(downloadError);
        return thread.failure() == DownloadThread::Failure::File ? ExitFile : ExitNetwork;
    }
    const QString path = DownloadThread::targetPath(link, directory);
    if (wantsJson(parser))
        Console::printJson(QJsonObject{{QStringLiteral("name"), name},
                                       {QStringLiteral("link"), link},
                                       {QStringLiteral("file"), path}});
    else
        Console::print(tr("已下载到 %1").arg(QDir::toNativeSeparators(path)) + QLatin1Char('\n'));
    return ExitSuccess;
}
