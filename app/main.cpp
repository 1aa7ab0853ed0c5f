#include "guiresources.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    // Plug-ins beside the program are found from the working directory too.
    QCoreApplication::addLibraryPath(QStringLiteral("."));
    auto *app = new QApplication(argc, argv);
    initGuiResources();
    auto *window = new MainWindow;
    window->show();
    const int result = QApplication::exec();
    delete window;
    delete app;
    return result;
}
