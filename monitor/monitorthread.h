#ifndef NORVO_MONITORTHREAD_H
#define NORVO_MONITORTHREAD_H

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>

class QSerialPort;

// Listens on the configured port and hands every burst the instrument sends to
// the GUI thread, with the instrument's debug output switched on or off around it.
class MonitorThread : public QThread
{
    Q_OBJECT

public:
    // A burst ends after this much quiet on the line.
    static constexpr int kBurstGapMs = 50;
    // How often a stop is looked for while the line is quiet.
    static constexpr int kIdleWaitMs = 100;
    // An instrument that never pauses still gets shown: a burst is handed out
    // once it holds this many bytes or its first byte is this old. Both lie far
    // above an ordinary burst (a debug line is some 50 bytes and takes 5 ms at
    // 115200 baud), so only a line that never falls quiet is cut.
    static constexpr int kMaxBurstBytes = 1024;
    static constexpr int kMaxBurstAgeMs = 1000;

    explicit MonitorThread(QObject *parent = nullptr);
    ~MonitorThread() override;

    // Whether the next run switches the instrument's debug output on.
    void setDebug(bool on);
    // Writes the debug switch ("1" or "0"); false after signalling the failure.
    bool sendDebugSwitch(QSerialPort &port, const QString &text);

signals:
    void signalShowError(const QString &title, const QString &error);
    void signalDataRecv(const QByteArray &byteArray);

public slots:
    // Starts a run unless one is going on.
    void start();
    // Ends the run and waits for it, including switching debug output off.
    void stop();
    // Asks the run to end and returns at once: the worker switches debug output
    // off on its own and finished() follows, so the window stays responsive.
    void requestStop();

protected:
    void run() override;

private:
    // Delivers bursts until a stop; false when the port vanished (already reported).
    bool listen(QSerialPort &port);

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_debug{false};
    QByteArray m_afterSwitch; // debug output that came with the switch's answer; run() only
};

#endif
