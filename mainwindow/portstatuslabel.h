#ifndef NORVO_PORTSTATUSLABEL_H
#define NORVO_PORTSTATUSLABEL_H

#include <QLabel>

// The configured port and rate at the side of the status bar
// ("/dev/ttyUSB0 · 115200"): the line the next operation will use.
class PortStatusLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PortStatusLabel(QWidget *parent = nullptr);

    // Reads the configuration again; hidden while no port is configured.
    void refresh();
};

#endif
