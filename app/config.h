#ifndef NORVO_CONFIG_H
#define NORVO_CONFIG_H

#include "atom_lock.h"
#include "lock.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <QVariant>

#include <atomic>

class QSettings;

// Owner of the one QSettings on config.ini in the working directory.
class Config
{
public:
    Config();
    virtual ~Config();
    Config(const Config &) = delete;
    Config &operator=(const Config &) = delete;

    // The raw store; use it on the GUI thread only.
    QSettings *settings() const { return m_settings; }

    // Serialised access, safe from any thread (workers read the serial keys
    // while the GUI thread may be writing).
    QVariant value(const QString &key) const;
    void setValue(const QString &key, const QVariant &value);

    // A value this process uses instead of the file's, never written to the
    // file: the command line's --port and --baud are for one run only.
    void setOverride(const QString &key, const QVariant &value);

    // The file the next instance opens; config.ini in the working directory
    // unless set before the first instance() call.
    static void setFileName(const QString &fileName);
    static QString fileName();

private:
    QSettings *m_settings = nullptr;
    QHash<QString, QVariant> m_overrides;
    mutable QMutex m_mutex;

    static QString s_fileName;
};

// Process-wide instance of T, created on first use from any thread.
template<typename T>
class singleton : public T
{
public:
    static T *instance()
    {
        T *current = s_instance.load(std::memory_order_acquire);
        if (current)
            return current;
        s_lock.acquire();
        current = s_instance.load(std::memory_order_relaxed);
        if (!current) {
            try {
                current = new singleton<T>();
            } catch (...) {
                s_lock.release();
                throw;
            }
            s_instance.store(current, std::memory_order_release);
        }
        s_lock.release();
        return current;
    }

    static void destroyInstance()
    {
        s_lock.acquire();
        T *current = s_instance.exchange(nullptr, std::memory_order_acq_rel);
        delete current;
        s_lock.release();
    }

private:
    singleton() = default;

    static inline std::atomic<T *> s_instance{nullptr};
    static inline atom_lock s_lock;
};

// Shorthands for the two serial keys every device operation reads.
QString configuredPortName();
int configuredBaudRate();

#endif
