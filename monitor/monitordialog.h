#ifndef NORVO_MONITORDIALOG_H
#define NORVO_MONITORDIALOG_H

#include "monitortext.h"
#include "monitorthread.h"

#include <QDialog>

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

    explicit MonitorDialog(QWidget *parent = nullptr);
    ~MonitorDialog() override;

    const MonitorThread &monitorThread() const { return worker; }

public slots:
    void slotClearText();
    void slotShowError(const QString &title, const QString &error);
    void slotDataRecv(const QByteArray &buffer);
    void slotThreadStarted();
    void slotThreadFinished();

private:
    MonitorView currentView() const;

    Ui::MonitorDialog *ui;
    MonitorThread worker;
};

#endif
