#ifndef NORVO_WORKERWATCH_H
#define NORVO_WORKERWATCH_H

#include <QThread>
#include <QtTest>

#include <atomic>

// Waits for a worker thread to end in a way the thread sanitizer can follow.
// QThread::wait() synchronises through Qt's own locks, which a Qt built
// without the sanitizer hides from it; finished(), sent by the worker itself
// as its last act, sets an atomic flag instead, so everything the worker did
// before (signal spies it filled, objects it touched) is seen as done.
// Make one for each run, before the thread starts.
class WorkerWatch
{
public:
    explicit WorkerWatch(QThread &thread)
        : m_thread(thread)
        , m_connection(QObject::connect(
                  &thread, &QThread::finished, &thread,
                  [this] { m_ended.store(true, std::memory_order_release); }, Qt::DirectConnection))
    { }
    ~WorkerWatch() { QObject::disconnect(m_connection); }
    WorkerWatch(const WorkerWatch &) = delete;
    WorkerWatch &operator=(const WorkerWatch &) = delete;

    // True when the worker ended within timeoutMs; events keep being processed meanwhile.
    bool waitForEnd(int timeoutMs)
    {
        const bool ended = QTest::qWaitFor(
                [this] { return m_ended.load(std::memory_order_acquire); }, timeoutMs);
        return ended && m_thread.wait(timeoutMs);
    }

private:
    QThread &m_thread;
    std::atomic<bool> m_ended{false};
    QMetaObject::Connection m_connection;
};

#endif
