#ifndef NORVO_INSTRUMENTSIMULATOR_H
#define NORVO_INSTRUMENTSIMULATOR_H

#include "bootloadermode.h"
#include "configurationmode.h"
#include "faultplan.h"
#include "itemset.h"
#include "replychunk.h"
#include "simrequest.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// An instrument on the master side of a pseudo terminal, served on its own thread.
class InstrumentSimulator
{
public:
    static constexpr int kDefaultBaudRate = 115200;
    static constexpr int kDefaultLatencyMs = 5;
    static constexpr int kDefaultDebugLinePeriodMs = 200;

    InstrumentSimulator() = default;
    ~InstrumentSimulator();
    InstrumentSimulator(const InstrumentSimulator &) = delete;
    InstrumentSimulator &operator=(const InstrumentSimulator &) = delete;

    // Opens a pseudo terminal and starts serving; on failure error says why.
    bool start(QString *error = nullptr);
    // Closes the terminal: a client that still has the port open sees the line vanish.
    void stop();
    bool isRunning() const;
    // The device path a client opens, e.g. /dev/pts/7; empty while stopped.
    QString portName() const;

    // Line speed that paces the output (ten bit times per byte) and the delay
    // before each answer; both take effect at once.
    void setBaudRate(int baudRate);
    void setLatencyMs(int latencyMs);
    // When on, bytes the client sends at another line speed than the
    // simulator's are lost, as a real instrument hears only noise then.
    void setCheckLineSpeed(bool check);

    // While debug output is on, a line goes out every periodMs; or, flooding,
    // one line after another without pause, as fast as the baud rate lets them.
    // Both take effect with the next line.
    void setDebugLinePeriodMs(int periodMs);
    void setDebugFlood(bool flood);
    // Bytes of debug output put on the line since start().
    qint64 debugBytesSent() const;

    // Called on the serving thread with every request it handled; set it before start().
    void setRequestObserver(std::function<void(const QByteArray &)> observer);

    void setItems(const ItemSet &items);
    // History records each day holds (4 unless set); takes effect with the next request.
    void setHistoryRecordsPerDay(int records);
    bool loadItems(const QString &path, QString *error = nullptr);

    // Faults to switch on and off while serving.
    FaultPlan &faults() { return m_faults; }

    // Every complete request with a good CRC, in arrival order, logged once it was handled.
    QList<QByteArray> receivedFrames() const;
    bool waitForFrames(int count, int timeoutMs) const;
    // Every byte read from the line, frames or not.
    qint64 receivedByteCount() const;

    ItemSet items() const;
    QDateTime storedClock() const;
    bool debugOutputOn() const;

    // Restarts into the boot-loader, which reports model (by default the value of
    // the 设备型号 item) and answers only boot-loader requests; or back into the firmware.
    void enterBootLoader(const QString &model = QString());
    void leaveBootLoader();
    bool inBootLoader() const;
    // Misbehaviour of the boot-loader entered last; entering it again clears it.
    void setBootLoaderFaults(const BootLoaderFaults &faults);
    // Image bytes the boot-loader took since its last erase, and the closing requests it saw.
    QByteArray flashedImage() const;
    int closingRequests() const;

private:
    void serve();
    // The answer to one request as it goes on the line, logged once handled.
    QList<ReplyChunk> handleRequest(const SimRequest &request);
    // What the client wrote, counted in the log; empty when nothing could be read.
    QByteArray readFromLine();
    bool clientSpeedMatches() const;
    // Debug lines that are due, at least minBytes of them while debug output is on.
    QByteArray debugOutput(qint64 uptimeMs, int minBytes);
    void closeDescriptors();

    int m_master = -1;
    int m_slave = -1;
    int m_wakePipe[2] = {-1, -1}; // read end, write end: stop() wakes the serving thread
    QString m_portName;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_baudRate{kDefaultBaudRate};
    std::atomic<int> m_latencyMs{kDefaultLatencyMs};
    std::atomic<int> m_debugLinePeriodMs{kDefaultDebugLinePeriodMs};
    std::atomic<bool> m_debugFlood{false};
    std::atomic<bool> m_checkLineSpeed{false};
    std::atomic<qint64> m_debugBytesSent{0};
    std::function<void(const QByteArray &)> m_requestObserver;

    FaultPlan m_faults;

    mutable std::mutex m_stateMutex;
    ConfigurationMode m_firmware;
    BootLoaderMode m_bootLoader;
    bool m_inBootLoader = false;

    mutable std::mutex m_logMutex;
    mutable std::condition_variable m_logChanged;
    QList<QByteArray> m_frames;
    qint64 m_bytesReceived = 0;
};

#endif
