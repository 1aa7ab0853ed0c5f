#include "guiresources.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    // Plug-ins beside the program are found from the working directory too.
    QCoreApplication::addLibraryPath(QStringLiteral("."));
    QApplication app(argc, argv);
    initGuiResources();
    MainWindow window;
    window.show();
    return QApplication::exec();
}
