#ifndef NORVO_PACEDOUTPUT_H
#define NORVO_PACEDOUTPUT_H

#include "replychunk.h"

#include <chrono>
#include <deque>

// Bytes waiting for the line, let out in short slices no faster than the baud rate allows.
class PacedOutput
{
public:
    using Clock = std::chrono::steady_clock;

    enum class WriteResult { NothingDue, Wrote, WouldBlock, Failed };

    // The chunk's gap counts from the end of whatever is on the line before it.
    void enqueue(const ReplyChunk &chunk);
    bool isEmpty() const { return m_queue.empty(); }
    void clear() { m_queue.clear(); }

    // Milliseconds until the next slice is due; only meaningful when not empty.
    int msUntilDue() const;
    // Writes the next slice to fd if it is due.
    WriteResult writeDue(int fd, int baudRate);

private:
    struct Pending
    {
        QByteArray bytes;
        int written = 0;
        int gapBeforeMs = 0;
        Clock::time_point due;
    };

    std::deque<Pending> m_queue;
    Clock::time_point m_lineFreeAt = Clock::now(); // when the last slice has left the line
};

#endif
