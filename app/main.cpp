#include "guiresources.h"
#include "mainwindow.h"
#include "userfolder.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    // Started from the desktop menu: work in the user's own folder, where
    // config.ini and SkipItems then live.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kUserFolderOption) == 0 && !enterUserFolder())
            std::fprintf(stderr, "norvo-assistant: cannot use %s\n", qPrintable(userFolder()));
    }
    // Plug-ins come only from Qt's own folders and the program's folder (Qt
    // searches both by default); never from the working directory, which may
    // be any folder the user opened, holding code nobody vetted.
    QApplication app(argc, argv);
    initGuiResources();
    MainWindow window;
    window.show();
    return QApplication::exec();
}
