#ifndef NORVO_SIMTESTSUPPORT_H
#define NORVO_SIMTESTSUPPORT_H

#include "config.h"
#include "instrumentsimulator.h"
#include "settingskeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

// Set-up shared by the tests that talk to the simulator over a pseudo-terminal.
namespace SimTest {

constexpr int kBaudRate = 115200;
// Rates serial tests run at: a slow line splits answers where a fast one does not.
constexpr int kSlowBaudRate = 9600;

// Runs the test binary in its own directory, so config.ini and exports land there.
inline bool enterTemporaryDirectory(const QTemporaryDir &dir)
{
    return dir.isValid() && QDir::setCurrent(dir.path());
}

// Starts the simulator paced at baudRate and names its port and rate in
// config.ini; returns an error text, empty on success.
inline QString startOnConfiguredPort(InstrumentSimulator &sim, int baudRate = kBaudRate)
{
    QString error;
    sim.setBaudRate(baudRate);
    if (!sim.start(&error))
        return error.isEmpty() ? QStringLiteral("simulator did not start") : error;
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialPort, sim.portName());
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialBaudRate,
                                            QString::number(baudRate));
    return QString();
}

// Replaces the file's content; false when it cannot be written whole.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && file.write(bytes) == bytes.size();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// What work returns when no file may grow past bytes meanwhile, as on a
// full disk; a write beyond that fails instead of ending the test.
template<typename Work>
auto onFullDisk(rlim_t bytes, Work work)
{
    signal(SIGXFSZ, SIG_IGN);
    rlimit normal{};
    getrlimit(RLIMIT_FSIZE, &normal);
    rlimit full{bytes, normal.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    const auto result = work();
    setrlimit(RLIMIT_FSIZE, &normal);
    return result;
}

// Drops the settings object and its file, so the next test starts from nothing.
inline void resetSettings()
{
    singleton<Config>::destroyInstance();
    QFile::remove(QString::fromLatin1(SettingsKeys::kFileName));
}

} // namespace SimTest

#endif
