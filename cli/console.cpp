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
void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
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

void print(const QString &text)
{
    write(stdout, QTextCodec::codecForLocale()->fromUnicode(text));
}

void printBytes(const QByteArray &bytes)
{
    write(stdout, bytes);
}

void printJson(const QJsonValue &value)
{
    const QJsonDocument document
            = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    printBytes(document.toJson(QJsonDocument::Indented));
}

void error(const QString &message)
{
    note(QCoreApplication::applicationName() + QStringLiteral(": ") + message + QLatin1Char('\n'));
}

void note(const QString &text)
{
    write(stderr, QTextCodec::codecForLocale()->fromUnicode(text));
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
