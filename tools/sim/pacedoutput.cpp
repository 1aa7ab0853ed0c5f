#include "pacedoutput.h"

#include "seriallink.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {
constexpr int kSliceMs = 5; // output goes out in slices this long
constexpr std::chrono::milliseconds kLateSlack(kSliceMs);

PacedOutput::Clock::duration lineTime(int bytes, int baudRate)
{
    const qint64 micros
            = static_cast<qint64>(bytes) * kBitsPerByte * 1000000 / std::max(1, baudRate);
    return std::chrono::microseconds(micros);
}

int sliceBytes(int baudRate)
{
    return std::max(1, baudRate / kBitsPerByte * kSliceMs / 1000);
}
} // namespace

void PacedOutput::enqueue(const ReplyChunk &chunk)
{
    Pending pending{chunk.bytes, 0, chunk.gapBeforeMs, {}};
    if (m_queue.empty())
        pending.due = std::max(Clock::now(), m_lineFreeAt)
                + std::chrono::milliseconds(pending.gapBeforeMs);
    m_queue.push_back(pending);
}

int PacedOutput::msUntilDue() const
{
    const Clock::time_point due = std::max(m_queue.front().due, m_lineFreeAt);
    const Clock::time_point now = Clock::now();
    if (due <= now)
        return 0;
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(due - now).count();
    return static_cast<int>((micros + 999) / 1000);
}

PacedOutput::WriteResult PacedOutput::writeDue(int fd, int baudRate)
{
    if (m_queue.empty() || msUntilDue() > 0)
        return WriteResult::NothingDue;
    Pending &head = m_queue.front();
    const int slice = std::min(head.bytes.size() - head.written, sliceBytes(baudRate));
    const ssize_t sent = write(fd, head.bytes.constData() + head.written, slice);
    if (sent < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK ? WriteResult::WouldBlock
                                                       : WriteResult::Failed;
    head.written += static_cast<int>(sent);
    // A slice written a little after its time still follows the one before it
    // on the line; counting from the late wake-up would slow a long answer
    // below the baud rate.
    const Clock::time_point scheduled = std::max(head.due, m_lineFreeAt);
    const Clock::time_point now = Clock::now();
    const Clock::time_point start = now - scheduled < kLateSlack ? scheduled : now;
    m_lineFreeAt = start + lineTime(static_cast<int>(sent), baudRate);
    if (head.written == head.bytes.size()) {
        m_queue.pop_front();
        if (!m_queue.empty())
            m_queue.front().due
                    = m_lineFreeAt + std::chrono::milliseconds(m_queue.front().gapBeforeMs);
    }
    return WriteResult::Wrote;
}
