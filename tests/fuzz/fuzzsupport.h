#ifndef NORVO_FUZZSUPPORT_H
#define NORVO_FUZZSUPPORT_H

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: a condition that must hold, the input as
// bytes, and a scratch directory for readers that take a file.
namespace Fuzz {

// Ends the run with a finding when a property does not hold.
inline void require(bool holds, const char *what)
{
    if (!holds) {
        fprintf(stderr, "property broken: %s\n", what);
        abort();
    }
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size));
}

// A Qt application object for the readers that need one (text codecs,
// settings), made once, and a directory that lives as long as the process.
inline const QString &scratchDirectory()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

// Writes the input to a file in the scratch directory and returns its path.
inline QString inputFile(const QByteArray &input, const char *name)
{
    const QString path = QDir(scratchDirectory()).filePath(QString::fromLatin1(name));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file opens");
    require(file.write(input) == input.size(), "scratch file written");
    return path;
}

} // namespace Fuzz

#define FUZZ_REQUIRE(condition) Fuzz::require((condition), #condition)

#endif
