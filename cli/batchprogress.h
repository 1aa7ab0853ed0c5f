#ifndef NORVO_BATCHPROGRESS_H
#define NORVO_BATCHPROGRESS_H

#include <QStringList>
#include <QTimer>

// A batch's progress on standard error, one line per port: on a terminal a
// block of lines redrawn in place (at most ten times a second), in a log a
// line "PORT  state" each time a port's state changes.
class BatchProgress
{
public:
    explicit BatchProgress(const QStringList &ports);

    void setState(int port, const QString &state);
    // Draws the last states, so the block stays on screen as it ended.
    void finish();

private:
    QString line(int port) const;
    void redraw();

    QStringList m_ports;
    QStringList m_states;
    int m_portWidth = 0;
    bool m_terminal = false;
    bool m_drawn = false;
    QTimer m_redraw;
};

#endif
