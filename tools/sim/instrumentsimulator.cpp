#include "instrumentsimulator.h"

#include "pacedoutput.h"
#include "requestscanner.h"
#include "seriallink.h"

#include <QElapsedTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {
constexpr int kIdleTickMs = 20;   // how soon fault changes are noticed
constexpr int kFloodBatchMs = 10; // a flood is queued in batches of this much line time
constexpr int kReadBufferBytes = 4096;
constexpr int kStreamChunkBytes = 64;

// The line speed a termios speed code stands for; 0 for one not listed.
int speedOf(speed_t code)
{
    static const std::pair<speed_t, int> kSpeeds[] = {
            {B75, 75},       {B110, 110},       {B134, 134},       {B150, 150},
            {B300, 300},     {B600, 600},       {B1200, 1200},     {B2400, 2400},
            {B4800, 4800},   {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
            {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800},
    };
    for (const auto &speed : kSpeeds) {
        if (speed.first == code)
            return speed.second;
    }
    return 0;
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}
} // namespace

InstrumentSimulator::~InstrumentSimulator()
{
    stop();
}

bool InstrumentSimulator::start(QString *error)
{
    if (isRunning()) {
        if (error)
            *error = QStringLiteral("the simulator is already running");
        return false;
    }
    // Raw from the first moment, so nothing is echoed or translated before a
    // client sets its own mode.
    termios raw{};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B115200);
    if (openpty(&m_master, &m_slave, nullptr, &raw, nullptr) != 0) {
        if (error)
            *error = systemError("openpty");
        return false;
    }
    char name[128] = {};
    if (pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0
        || ptsname_r(m_master, name, sizeof name) != 0
        || fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) != 0
        || fcntl(m_master, F_SETFD, FD_CLOEXEC) != 0 || fcntl(m_slave, F_SETFD, FD_CLOEXEC) != 0) {
        if (error)
            *error = systemError("pseudo terminal setup");
        closeDescriptors();
        return false;
    }
    m_portName = QString::fromLocal8Bit(name);
    m_stopping = false;
    m_debugBytesSent = 0;
    m_thread = std::thread(&InstrumentSimulator::serve, this);
    return true;
}

void InstrumentSimulator::stop()
{
    if (!m_thread.joinable())
        return;
    m_stopping = true;
    const char wake = 1;
    // Should the pipe be full, the loop still sees the flag within one idle tick.
    [[maybe_unused]] const ssize_t woken = write(m_wakePipe[1], &wake, 1);
    m_thread.join();
    closeDescriptors();
    m_portName.clear();
}

void InstrumentSimulator::closeDescriptors()
{
    for (int *fd : {&m_master, &m_slave, &m_wakePipe[0], &m_wakePipe[1]}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

bool InstrumentSimulator::isRunning() const
{
    return m_thread.joinable();
}

QString InstrumentSimulator::portName() const
{
    return m_portName;
}

void InstrumentSimulator::setBaudRate(int baudRate)
{
    m_baudRate = qMax(1, baudRate);
}

void InstrumentSimulator::setCheckLineSpeed(bool check)
{
    m_checkLineSpeed = check;
}

bool InstrumentSimulator::clientSpeedMatches() const
{
    termios client{};
    if (!m_checkLineSpeed || tcgetattr(m_slave, &client) != 0)
        return true;
    return speedOf(cfgetospeed(&client)) == m_baudRate;
}

void InstrumentSimulator::setLatencyMs(int latencyMs)
{
    m_latencyMs = qMax(0, latencyMs);
}

void InstrumentSimulator::setDebugLinePeriodMs(int periodMs)
{
    m_debugLinePeriodMs = qMax(1, periodMs);
}

void InstrumentSimulator::setDebugFlood(bool flood)
{
    m_debugFlood = flood;
}

qint64 InstrumentSimulator::debugBytesSent() const
{
    return m_debugBytesSent;
}

void InstrumentSimulator::setRequestObserver(std::function<void(const QByteArray &)> observer)
{
    m_requestObserver = std::move(observer);
}

void InstrumentSimulator::setItems(const ItemSet &items)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_firmware.setItems(items);
}

void InstrumentSimulator::setHistoryRecordsPerDay(int records)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_firmware.setHistoryRecordsPerDay(records);
}

bool InstrumentSimulator::loadItems(const QString &path, QString *error)
{
    ItemSet items;
    if (!ItemSet::load(path, &items, error))
        return false;
    setItems(items);
    return true;
}

QList<QByteArray> InstrumentSimulator::receivedFrames() const
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    return m_frames;
}

bool InstrumentSimulator::waitForFrames(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_logMutex);
    return m_logChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [&] { return m_frames.size() >= count; });
}

qint64 InstrumentSimulator::receivedByteCount() const
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    return m_bytesReceived;
}

ItemSet InstrumentSimulator::items() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_firmware.items();
}

QDateTime InstrumentSimulator::storedClock() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_firmware.storedClock();
}

bool InstrumentSimulator::debugOutputOn() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_firmware.debugOutputOn();
}

void InstrumentSimulator::enterBootLoader(const QString &model)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    QString reported = model;
    if (reported.isEmpty()) {
        const ItemSet items = m_firmware.items();
        const int modelItem = items.indexOf(QStringLiteral("设备型号"));
        if (modelItem >= 0)
            reported = items.at(modelItem).value();
    }
    m_bootLoader = BootLoaderMode(reported);
    m_inBootLoader = true;
}

void InstrumentSimulator::leaveBootLoader()
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_inBootLoader = false;
}

bool InstrumentSimulator::inBootLoader() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_inBootLoader;
}

void InstrumentSimulator::setBootLoaderFaults(const BootLoaderFaults &faults)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_bootLoader.setFaults(faults);
}

QByteArray InstrumentSimulator::flashedImage() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_bootLoader.image();
}

int InstrumentSimulator::closingRequests() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_bootLoader.closingRequests();
}

QList<ReplyChunk> InstrumentSimulator::handleRequest(const SimRequest &request)
{
    QList<ReplyChunk> reply;
    if (!m_faults.isSilent()) {
        const bool keepWrite = !m_faults.takeForgottenWrite(request);
        std::lock_guard<std::mutex> lock(m_stateMutex);
        reply = m_inBootLoader ? m_bootLoader.answer(request)
                               : m_firmware.answer(request, keepWrite);
    }
    reply = m_faults.apply(request, reply);
    if (!reply.isEmpty())
        reply.first().gapBeforeMs += m_latencyMs;
    {
        std::lock_guard<std::mutex> lock(m_logMutex);
        m_frames.append(request.frame);
    }
    m_logChanged.notify_all();
    if (m_requestObserver)
        m_requestObserver(request.frame);
    return reply;
}

QByteArray InstrumentSimulator::debugOutput(qint64 uptimeMs, int minBytes)
{
    QByteArray lines;
    if (m_faults.isSilent())
        return lines;
    std::lock_guard<std::mutex> lock(m_stateMutex);
    if (m_inBootLoader)
        return lines;
    while (lines.size() < minBytes) {
        const QByteArray line = m_firmware.debugLine(uptimeMs);
        if (line.isEmpty())
            break;
        lines.append(line);
    }
    return lines;
}

QByteArray InstrumentSimulator::readFromLine()
{
    char buffer[kReadBufferBytes];
    const ssize_t got = read(m_master, buffer, sizeof buffer);
    if (got <= 0)
        return QByteArray();
    std::lock_guard<std::mutex> lock(m_logMutex);
    m_bytesReceived += got;
    return QByteArray(buffer, static_cast<int>(got));
}

void InstrumentSimulator::serve()
{
    RequestScanner scanner;
    PacedOutput output;
    QElapsedTimer uptime;
    uptime.start();
    qint64 nextDebugLineMs = m_debugLinePeriodMs;
    bool writeBlocked = false;
    pthread_setname_np(pthread_self(), "norvo-sim"); // tells it apart in a profile

    while (!m_stopping) {
        // A flood refills the line as soon as it runs empty, a batch at a time,
        // so the output keeps up with the fastest baud rates.
        const bool flood = m_debugFlood;
        if (flood ? output.isEmpty() : uptime.elapsed() >= nextDebugLineMs) {
            nextDebugLineMs = uptime.elapsed() + m_debugLinePeriodMs;
            const int batchBytes = flood ? m_baudRate / kBitsPerByte * kFloodBatchMs / 1000 : 1;
            const QByteArray unasked = debugOutput(uptime.elapsed(), batchBytes);
            if (!unasked.isEmpty()) {
                output.enqueue(ReplyChunk{unasked, 0});
                m_debugBytesSent += unasked.size();
            }
        }
        if (output.isEmpty() && m_faults.isStreaming())
            output.enqueue(ReplyChunk{QByteArray(kStreamChunkBytes, FaultPlan::kStreamByte), 0});

        int timeoutMs = static_cast<int>(
                qBound<qint64>(0, nextDebugLineMs - uptime.elapsed(), kIdleTickMs));
        short masterEvents = POLLIN;
        if (writeBlocked)
            masterEvents |= POLLOUT;
        else if (!output.isEmpty())
            timeoutMs = std::min(timeoutMs, output.msUntilDue());
        pollfd fds[2] = {{m_master, masterEvents, 0}, {m_wakePipe[0], POLLIN, 0}};
        if (poll(fds, 2, timeoutMs) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            break;
        if (fds[0].revents & POLLOUT)
            writeBlocked = false;

        if (fds[0].revents & POLLIN) {
            QByteArray bytes = readFromLine();
            if (!clientSpeedMatches())
                bytes.clear();
            for (const SimRequest &request : scanner.feed(bytes, uptime.elapsed())) {
                for (const ReplyChunk &chunk : handleRequest(request))
                    output.enqueue(chunk);
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Cannot happen while our own slave descriptor is open; do not spin if it does.
            pollfd wakeOnly{m_wakePipe[0], POLLIN, 0};
            poll(&wakeOnly, 1, kIdleTickMs);
        }

        if (writeBlocked)
            continue;
        switch (output.writeDue(m_master, m_baudRate)) {
        case PacedOutput::WriteResult::WouldBlock:
            writeBlocked = true;
            break;
        case PacedOutput::WriteResult::Failed:
            output.clear();
            break;
        default:
            break;
        }
    }
}
