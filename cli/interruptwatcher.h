#ifndef NORVO_INTERRUPTWATCHER_H
#define NORVO_INTERRUPTWATCHER_H

#include <QObject>

class QSocketNotifier;

// Turns Ctrl-C (SIGINT on Unix, the console's Ctrl-C and Ctrl-Break on
// Windows), a closed terminal (SIGHUP) and a kill request (SIGTERM) into a
// signal on the main thread while it exists, so a command can stop its worker
// cleanly, or refuse to, instead of being killed in the middle. A closed pipe
// makes writes fail rather than ending the program. One at a time.
class InterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatcher(QObject *parent = nullptr);
    ~InterruptWatcher() override;

    // How many interruptions arrived so far.
    int count() const { return m_count; }

signals:
    void interrupted();

private:
    Q_INVOKABLE void deliver();

    int m_count = 0;
#ifdef Q_OS_UNIX
    QSocketNotifier *m_notifier = nullptr;
#endif
};

#endif
