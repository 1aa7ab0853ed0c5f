#ifndef NORVO_LOCK_H
#define NORVO_LOCK_H

// Minimal lock interface; the settings store guards its creation with one.
class lock
{
public:
    virtual ~lock() = default;
    virtual void acquire() = 0;
    virtual void release() = 0;
    virtual bool try_acquire() = 0;
};

#endif
