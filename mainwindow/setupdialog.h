#ifndef NORVO_SETUPDIALOG_H
#define NORVO_SETUPDIALOG_H

#include "portdetectthread.h"
#include "portnames.h"

#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

namespace Ui {
class SetupDialog;
}

// Chooses the serial port and baud rate that every device operation uses, or
// finds them by asking every port at every rate for the instrument's name.
class SetupDialog : public QDialog
{
    Q_OBJECT

public:
    // Where the port list comes from: the system's ports unless replaced.
    using PortSource = std::function<QList<PortDescription>()>;

    explicit SetupDialog(QWidget *parent = nullptr);
    ~SetupDialog() override;

    // Takes the ports from source from now on and lists them at once.
    void setPortSource(const PortSource &source);

public slots:
    void loadConfig();
    void saveConfig();

private slots:
    void slotDetect();
    void slotPollPorts();

private:
    // Lists the ports present now and the stored one, keeping what the box shows.
    void fillPortList(const QList<PortDescription> &present, const QString &shown);
    void alignChoices();
    void showDetected(const QList<PortProbeResult> &results);
    void choose(const PortProbeResult &hit);
    void showMessage(QMessageBox::Icon icon, const QString &title, const QString &text);

    Ui::SetupDialog *ui;
    PortSource m_portSource = availablePorts;
    QStringList m_listedPorts; // what the system listed at the last look
    QTimer m_portPoll;
    PortDetectThread m_detector;
};

#endif
