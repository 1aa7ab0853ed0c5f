#include "console.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCodec>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
// Set once a write to standard output fails; the results a script reads
// would be incomplete.
bool s_outputFailed = false;
bool s_captureJson = false;
QJsonValue s_capturedJson;
QStringList s_errorsShown;
QtMessageHandler s_qtMessageHandler = nullptr;

void quietQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtInfoMsg || !s_qtMessageHandler)
        return;
    s_qtMessageHandler(type, context, message);
}

void write(FILE *stream, const QByteArray &bytes)
{
    const size_t size = static_cast<size_t>(bytes.size());
    const bool written = std::fwrite(bytes.constData(), 1, size, stream) == size;
    const bool flushed = std::fflush(stream) == 0;
    if (stream == stdout && !(written && flushed))
        s_outputFailed = true;
}

// C0, DEL and C1 controls, and the marks that reverse the direction of the
// text that follows them (and so can make a line read differently).
bool isControl(QChar ch)
{
    const ushort code = ch.unicode();
    return ch.category() == QChar::Other_Control || (code >= 0x202A && code <= 0x202E)
            || (code >= 0x2066 && code <= 0x2069);
}

QString escapeControls(const QString &text, bool keepLineBreaks)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar ch : text) {
        const bool kept = keepLineBreaks && (ch == QLatin1Char('\n') || ch == QLatin1Char('\t'));
        if (kept || !isControl(ch)) {
            shown += ch;
            continue;
        }
        constexpr ushort kLastByteCode = 0xFF;
        constexpr int kHexBase = 16;
        const ushort code = ch.unicode();
        const bool byte = code <= kLastByteCode;
        shown += (byte ? QStringLiteral("\\x") : QStringLiteral("\\u"))
                + QString::number(code, kHexBase)
                          .toUpper()
                          .rightJustified(byte ? 2 : 4, QLatin1Char('0'));
    }
    return shown;
}

bool isTerminal(FILE *stream)
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}
} // namespace

namespace Console {

QString oneLine(const QString &text)
{
    return escapeControls(text, false);
}

void print(const QString &text)
{
    write(stdout, QTextCodec::codecForLocale()->fromUnicode(escapeControls(text, true)));
}

void printBytes(const QByteArray &bytes)
{
    write(stdout, bytes);
}

void printJson(const QJsonValue &value)
{
    if (s_captureJson) {
        s_capturedJson = value;
        return;
    }
    const QJsonDocument document
            = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    printBytes(document.toJson(QJsonDocument::Indented));
}

void error(const QString &message)
{
    s_errorsShown << message;
    note(QCoreApplication::applicationName() + QStringLiteral(": ") + escapeControls(message, true)
         + QLatin1Char('\n'));
}

void note(const QString &text)
{
    write(stderr, QTextCodec::codecForLocale()->fromUnicode(text));
}

void captureJson()
{
    s_captureJson = true;
}

QJsonValue capturedJson()
{
    return s_capturedJson;
}

QStringList errorsShown()
{
    return s_errorsShown;
}

bool outputComplete()
{
    const bool flushed = std::fflush(stdout) == 0;
    return flushed && !s_outputFailed && !std::ferror(stdout);
}

void filterQtMessages(bool verbose)
{
    if (!verbose)
        s_qtMessageHandler = qInstallMessageHandler(quietQtMessage);
}

bool outputIsTerminal()
{
    return isTerminal(stdout);
}

bool errorIsTerminal()
{
    return isTerminal(stderr);
}

} // namespace Console
