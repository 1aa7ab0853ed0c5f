#include "packagewriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int fail(int status, const QString &message)
{
    fprintf(stderr, "norvo-pack: %s\n", qPrintable(message));
    return status;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("norvo-pack"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Writes a firmware package (.nvbin) from an image file, or shows "
                           "what a package holds."));
    parser.addHelpOption();
    parser.addOptions({
            {QStringLiteral("image"), QStringLiteral("Firmware image to pack."),
             QStringLiteral("file")},
            {QStringLiteral("device"), QStringLiteral("Device name shown to the user."),
             QStringLiteral("text")},
            {QStringLiteral("model"),
             QStringLiteral("Model; must match what the boot-loader reports."),
             QStringLiteral("text")},
            {QStringLiteral("version"), QStringLiteral("Firmware version text."),
             QStringLiteral("text")},
            {QStringLiteral("info"), QStringLiteral("Show what the package FILE holds.")},
    });
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The package to write, or with --info to read."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return fail(kExitUsage, QStringLiteral("name exactly one package file (see --help)"));
    QString error;
    if (parser.isSet(QStringLiteral("info"))) {
        const QString description = describePackage(files.first(), &error);
        if (description.isEmpty())
            return fail(kExitFailure, error);
        fputs(description.toUtf8().constData(), stdout);
        return 0;
    }

    for (const char *required : {"image", "device", "model", "version"}) {
        if (!parser.isSet(QString::fromLatin1(required)))
            return fail(kExitUsage, QStringLiteral("--%1 is required").arg(required));
    }
    QFile image(parser.value(QStringLiteral("image")));
    if (!image.open(QIODevice::ReadOnly))
        return fail(
                kExitFailure,
                QStringLiteral("cannot read %1: %2").arg(image.fileName(), image.errorString()));
    const QList<PackageEntry> entries = packageEntries(
            parser.value(QStringLiteral("device")), parser.value(QStringLiteral("model")),
            parser.value(QStringLiteral("version")), image.readAll());
    if (!writePackage(files.first(), entries, &error))
        return fail(kExitFailure, error);
    return 0;
}
