#ifndef NORVO_SETUPDIALOG_H
#define NORVO_SETUPDIALOG_H

#include <QDialog>

namespace Ui {
class SetupDialog;
}

// Chooses the serial port and baud rate that every device operation uses.
class SetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SetupDialog(QWidget *parent = nullptr);
    ~SetupDialog() override;

public slots:
    void loadConfig();
    void saveConfig();

private:
    // Lists the ports present now and the stored one, keeping what the box shows.
    void fillPortList(const QString &shown);
    void alignChoices();

    Ui::SetupDialog *ui;
};

#endif
