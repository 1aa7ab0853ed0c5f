#ifndef NORVO_ATOM_LOCK_H
#define NORVO_ATOM_LOCK_H

#include "lock.h"

#include <atomic>
#include <cstdint>

// Spin lock on a one-byte flag: not recursive, no owner, yields between attempts.
class atom_lock : public lock
{
public:
    void acquire() override;
    void release() override;
    bool try_acquire() override;

private:
    std::atomic<std::uint8_t> m_flag{0};
};

#endif
