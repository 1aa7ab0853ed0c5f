#include "interruptwatcher.h"

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include <QMetaObject>

#include <windows.h>
#endif

namespace {
InterruptWatcher *s_watcher = nullptr;

#ifdef Q_OS_UNIX
// The handler may only write to a pipe; the event loop reads the other end.
int s_pipe[2] = {-1, -1};
// A closed terminal (SIGHUP) or a polite kill (SIGTERM) must not cut an update
// short any more than Ctrl-C may: all three reach the command the same way.
constexpr int kWatchedSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction s_previous[std::size(kWatchedSignals)];
// A reader that went away (the other end of a pipe, a closed terminal) makes
// writes fail instead of killing the program, which then ends its work cleanly.
struct sigaction s_previousPipe;

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[1], &byte, 1);
}
#endif

#ifdef Q_OS_WIN
// Runs on a thread of its own; the watcher's signal goes out on the main thread.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    QMetaObject::invokeMethod(s_watcher, "deliver", Qt::QueuedConnection);
    return TRUE;
}
#endif
} // namespace

InterruptWatcher::InterruptWatcher(QObject *parent)
    : QObject(parent)
{
    s_watcher = this;
#ifdef Q_OS_UNIX
    if (::pipe(s_pipe) != 0)
        return;
    for (int end : s_pipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(s_pipe[0], bytes, sizeof bytes) > 0) { }
        deliver();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kWatchedSignals); ++i)
        ::sigaction(kWatchedSignals[i], &action, &s_previous[i]);
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, &s_previousPipe);
#endif
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#endif
}

InterruptWatcher::~InterruptWatcher()
{
#ifdef Q_OS_UNIX
    if (m_notifier) {
        for (size_t i = 0; i < std::size(kWatchedSignals); ++i)
            ::sigaction(kWatchedSignals[i], &s_previous[i], nullptr);
        ::sigaction(SIGPIPE, &s_previousPipe, nullptr);
        delete m_notifier;
        ::close(s_pipe[0]);
        ::close(s_pipe[1]);
        s_pipe[0] = s_pipe[1] = -1;
    }
#endif
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
#endif
    s_watcher = nullptr;
}

void InterruptWatcher::deliver()
{
    ++m_count;
    emit interrupted();
}
