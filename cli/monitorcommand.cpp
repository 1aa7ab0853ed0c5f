#include "monitorcommand.h"

#include "console.h"
#include "exitcodes.h"
#include "interruptwatcher.h"
#include "monitortext.h"
#include "monitorthread.h"
#include "sessionlog.h"

#include <QDateTime>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {
constexpr char kHexOption[] = "hex";
constexpr char kBothOption[] = "both";
constexpr char kNoDebugOption[] = "no-debug";
constexpr char kDurationOption[] = "duration";
constexpr char kLogOption[] = "log";
constexpr char kRawOption[] = "raw";
constexpr int kMillisecondsPerSecond = 1000;
// A run longer than this many seconds is not a duration anyone means to type.
constexpr double kLongestDurationSecs = 7 * 24 * 3600;

QByteArray burstJsonLine(const QByteArray &bytes, const QDateTime &received)
{
    const QJsonObject burst{
            {QStringLiteral("received"),
             received.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss.zzz"))},
            {QStringLiteral("bytes"), bytes.size()},
            {QStringLiteral("hex"), QString::fromLatin1(bytes.toHex())},
            {QStringLiteral("text"), decodeOneLine(bytes)},
    };
    return QJsonDocument(burst).toJson(QJsonDocument::Compact) + '\n';
}

// Opens the log the option names, if it is given; false after saying why it cannot.
bool openLog(const QCommandLineParser &parser, const char *option, SessionLog &log)
{
    const QString fileName = parser.value(QString::fromLatin1(option));
    QString error;
    if (fileName.isEmpty() || log.open(fileName, &error))
        return true;
    Console::error(error);
    return false;
}
} // namespace

CliCommand MonitorCommand::command()
{
    const QList<QCommandLineOption> options{
            {QString::fromLatin1(kHexOption), tr("每段数据显示为时间、字节数和十六进制。")},
            {QString::fromLatin1(kBothOption), tr("每段数据显示为时间、字节数、文本和十六进制。")},
            {QString::fromLatin1(kNoDebugOption), tr("不打开仪表的调试输出, 只监听。")},
            {QString::fromLatin1(kDurationOption), tr("监听这么多秒后结束, 而不是等 Ctrl-C。"),
             QStringLiteral("SECONDS")},
            {QString::fromLatin1(kLogOption), tr("把输出的文本(同监听窗口)追加到文件。"),
             QStringLiteral("FILE")},
            {QString::fromLatin1(kRawOption), tr("把收到的字节原样追加到文件。"),
             QStringLiteral("FILE")},
    };
    return {QStringLiteral("monitor"),
            QString(),
            tr("把仪表发来的数据输出到标准输出, 直到 Ctrl-C; 期间打开仪表的调试输出"),
            options,
            0,
            0,
            [this](const QCommandLineParser &parser, const QStringList &) {
                return run(parser);
            }};
}

int MonitorCommand::run(const QCommandLineParser &parser)
{
    const bool hex = parser.isSet(QString::fromLatin1(kHexOption));
    const bool both = parser.isSet(QString::fromLatin1(kBothOption));
    if (hex && both) {
        Console::error(tr("--hex 和 --both 只能选一个"));
        return ExitUsage;
    }
    const MonitorView view = hex ? MonitorView::Hex
            : both               ? MonitorView::OriginalHex
                                 : MonitorView::Original;
    int durationMs = -1;
    if (parser.isSet(QString::fromLatin1(kDurationOption))) {
        const QString text = parser.value(QString::fromLatin1(kDurationOption));
        bool ok = false;
        const double seconds = text.toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > kLongestDurationSecs) {
            Console::error(tr("监听时长应为正的秒数: %1").arg(text));
            return ExitUsage;
        }
        durationMs = qRound(seconds * kMillisecondsPerSecond);
    }

    // Both files are open before anything goes to the instrument.
    SessionLog textLog;
    SessionLog rawLog;
    if (!openLog(parser, kLogOption, textLog) || !openLog(parser, kRawOption, rawLog))
        return ExitFile;

    const bool json = wantsJson(parser);
    QString monitorError;
    QString logError;
    MonitorThread thread;
    QEventLoop loop;
    QObject::connect(&thread, &MonitorThread::signalDataRecv, &loop, [&](const QByteArray &bytes) {
        const QDateTime received = QDateTime::currentDateTime();
        QString text = burstDisplayText(view, bytes, received);
        // The text log holds what the window shows, its CR LF line ends included.
        if ((rawLog.isOpen() && !rawLog.append(bytes, &logError))
            || (textLog.isOpen() && !textLog.append(text.toUtf8(), &logError)))
            thread.stop();
        if (json) {
            Console::printBytes(burstJsonLine(bytes, received));
        } else {
            // CR LF line ends, the instrument's and the view's, become the
            // terminal's; any other control character is shown as an escape.
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            Console::print(text);
        }
        // Nobody reads the results any more (a closed pipe, a full disk):
        // stop as Ctrl-C does, switching the debug output off.
        if (!Console::outputComplete())
            thread.stop();
    });
    QObject::connect(
            &thread, &MonitorThread::signalShowError, &loop,
            [&monitorError](const QString &, const QString &message) { monitorError = message; });
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);

    // Ctrl-C and the end of the duration stop the run the way the dialog's
    // stop button does: the worker switches debug output off before it ends.
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &thread, &MonitorThread::stop);
    QTimer duration;
    duration.setSingleShot(true);
    QObject::connect(&duration, &QTimer::timeout, &thread, &MonitorThread::stop);

    thread.setDebug(!parser.isSet(QString::fromLatin1(kNoDebugOption)));
    thread.start();
    if (durationMs >= 0)
        duration.start(durationMs);
    if (thread.isRunning())
        loop.exec();
    thread.stop();
    QCoreApplication::sendPostedEvents();

    if (!monitorError.isEmpty()) {
        Console::error(monitorError);
        return ExitLink;
    }
    if (!logError.isEmpty()) {
        Console::error(logError);
        return ExitFile;
    }
    return ExitSuccess;
}
