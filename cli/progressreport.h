#ifndef NORVO_PROGRESSREPORT_H
#define NORVO_PROGRESSREPORT_H

#include <QString>

// The progress of a long transfer on standard error: a bar redrawn in place
// when it is a terminal, a line for each new percentage when it is a log.
class ProgressReport
{
public:
    explicit ProgressReport(const QString &label);

    void update(int percent);
    // Shows 100 % after a complete transfer, and ends the bar's line.
    void finish(bool complete);

private:
    QString m_label;
    bool m_terminal = false;
    int m_shown = -1;
};

#endif
