#include "progressreport.h"

#include "console.h"

namespace {
constexpr int kBarWidth = 30;
constexpr int kComplete = 100;
} // namespace

ProgressReport::ProgressReport(const QString &label)
    : m_label(label)
    , m_terminal(Console::errorIsTerminal())
{ }

void ProgressReport::update(int percent)
{
    percent = qBound(0, percent, kComplete);
    if (percent == m_shown)
        return;
    m_shown = percent;
    if (!m_terminal) {
        Console::note(QStringLiteral("%1 %2%\n").arg(m_label).arg(percent));
        return;
    }
    const int filled = percent * kBarWidth / kComplete;
    Console::note(QStringLiteral("\r%1 [%2%3] %4%")
                          .arg(m_label, QString(filled, QLatin1Char('#')),
                               QString(kBarWidth - filled, QLatin1Char(' ')))
                          .arg(percent, 3));
}

void ProgressReport::finish(bool complete)
{
    if (complete)
        update(kComplete);
    if (m_terminal && m_shown >= 0)
        Console::note(QStringLiteral("\n"));
}
