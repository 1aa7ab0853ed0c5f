#ifndef NORVO_MONITORDIALOG_H
#define NORVO_MONITORDIALOG_H

#include "monitortext.h"
#include "monitorthread.h"
#include "sessionlog.h"

#include <QDialog>
#include <QTimer>

namespace Ui {
class MonitorDialog;
}

// Shows the instrument's traffic as it arrives, as text, as hexadecimal or both.
class MonitorDialog : public QDialog
{
    Q_OBJECT

public:
    // Lines the view keeps when "monitor/maxlines" is absent or not a positive number.
    static constexpr int kDefaultKeptLines = 10000;
    // A text line without breaks carries on in a new line past this length, so
    // that the kept lines bound the view's size also for a stream without line ends.
    static constexpr int kMaxLineChars = 4096;
    // Whatever the line setting, the view keeps at most this many characters:
    // the text document now and then copies all it holds in one go, and beyond
    // some millions of characters that copy stalls the window. Ordinary lines
    // never reach it; a flood of long hexadecimal lines keeps some 1000 of them.
    static constexpr int kMaxKeptChars = 4000000;
    // Bursts reach the view together at most this often: every insertion lays
    // out and repaints the screen, and at 921600 baud bursts come some 90 times
    // a second, which no reader follows anyway.
    static constexpr int kShowIntervalMs = 100;
    // Text waiting for the next showing is shown at once beyond this size, so
    // a starved event loop cannot pile it up.
    static constexpr int kMaxPendingChars = 1 << 20;

    explicit MonitorDialog(QWidget *parent = nullptr);
    ~MonitorDialog() override;

    const MonitorThread &monitorThread() const { return worker; }

public slots:
    void slotClearText();
    void slotShowError(const QString &title, const QString &error);
    void slotDataRecv(const QByteArray &buffer);
    void slotThreadStarted();
    void slotThreadFinished();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    MonitorView currentView() const;
    void showPending();
    void dropOldestLines(bool following);
    void setLogging(bool on);
    void openFindBar();
    void find(bool backward);

    Ui::MonitorDialog *ui;
    const int keptLines;
    MonitorThread worker;
    QString m_pending;       // shown text that has not reached the view yet
    int m_lastLineChars = 0; // characters after the last line break, view and pending text
    QTimer m_showTimer;
    SessionLog m_log;
};

#endif
