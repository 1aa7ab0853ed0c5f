#include "batchprogress.h"

#include "console.h"

namespace {
constexpr int kRedrawMs = 100;
// A line that wraps would break the count of lines to move up by.
constexpr int kMaxLineChars = 76;
} // namespace

BatchProgress::BatchProgress(const QStringList &ports)
    : m_ports(ports)
    , m_terminal(Console::errorIsTerminal())
{
    for (const QString &port : ports) {
        m_states << QStringLiteral("…");
        m_portWidth = qMax(m_portWidth, port.size());
    }
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(kRedrawMs);
    QObject::connect(&m_redraw, &QTimer::timeout, [this] { redraw(); });
    if (m_terminal)
        redraw();
}

QString BatchProgress::line(int port) const
{
    return m_ports.at(port).leftJustified(m_portWidth) + QStringLiteral("  ")
            + Console::oneLine(m_states.at(port));
}

void BatchProgress::setState(int port, const QString &state)
{
    if (state.isEmpty() || state == m_states.at(port))
        return;
    m_states[port] = state;
    if (!m_terminal)
        Console::note(line(port) + QLatin1Char('\n'));
    else if (!m_redraw.isActive())
        m_redraw.start();
}

void BatchProgress::finish()
{
    m_redraw.stop();
    if (m_terminal)
        redraw();
}

void BatchProgress::redraw()
{
    QString text;
    // Back to the block's first line, then each line over what it showed.
    if (m_drawn)
        text += QStringLiteral("\x1b[%1A").arg(m_ports.size());
    for (int port = 0; port < m_ports.size(); ++port)
        text += QStringLiteral("\r\x1b[K") + line(port).left(kMaxLineChars) + QLatin1Char('\n');
    m_drawn = true;
    Console::note(text);
}
