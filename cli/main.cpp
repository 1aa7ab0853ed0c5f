#include "clicommand.h"
#include "commandline.h"
#include "console.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

int main(int argc, char *argv[])
{
    // Plug-ins come only from Qt's own folders and the program's folder (Qt
    // searches both by default), never from the folder a script runs in.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Before the application exists: creating it can already warn.
    Console::filterQtMessages(
            arguments.contains(QStringLiteral("--") + QLatin1String(CommonOption::kVerbose)));
    // Painting a PDF needs the GUI application; the command line never shows
    // a window, so it draws on the off-screen platform.
    std::unique_ptr<QCoreApplication> application;
    if (CommandLine::needsPainting(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    CommandLine commandLine;
    return commandLine.run(QCoreApplication::arguments());
}
