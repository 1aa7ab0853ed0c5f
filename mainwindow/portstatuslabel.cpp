#include "portstatuslabel.h"

#include "config.h"

PortStatusLabel::PortStatusLabel(QWidget *parent)
    : QLabel(parent)
{
    refresh();
}

void PortStatusLabel::refresh()
{
    const QString port = configuredPortName();
    const int rate = configuredBaudRate();
    setText(rate > 0 ? QStringLiteral("%1 · %2").arg(port).arg(rate) : port);
    setVisible(!port.isEmpty());
}
