#include "workerwait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

void runWorker(QThread &worker, const std::function<void()> &start)
{
    QEventLoop loop;
    // Connected before the start, so even a worker that ends at once ends the loop.
    QObject::connect(&worker, &QThread::finished, &loop, &QEventLoop::quit);
    start();
    if (worker.isRunning())
        loop.exec();
    worker.wait();
    QCoreApplication::sendPostedEvents();
}
