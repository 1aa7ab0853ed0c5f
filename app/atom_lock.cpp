#include "atom_lock.h"

#include <sched.h>

void atom_lock::acquire()
{
    while (m_flag.exchange(1, std::memory_order_acquire) != 0)
        sched_yield();
}

void atom_lock::release()
{
    m_flag.exchange(0, std::memory_order_release);
}

bool atom_lock::try_acquire()
{
    return m_flag.exchange(1, std::memory_order_acquire) == 0;
}
