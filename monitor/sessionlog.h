#ifndef NORVO_SESSIONLOG_H
#define NORVO_SESSIONLOG_H

#include <QCoreApplication>
#include <QFile>
#include <QString>

// A file a monitoring session appends to: the text as the view shows it, or
// the bytes as they came. Each append goes to the system at once, so a disk
// that fills up is noticed at that burst and everything before it stays.
class SessionLog
{
    Q_DECLARE_TR_FUNCTIONS(SessionLog)

public:
    // Opens fileName for appending, never through a symbolic link; false with the reason.
    bool open(const QString &fileName, QString *error);
    bool isOpen() const { return m_file.isOpen(); }
    // False with the reason when the bytes could not all be written; the log is closed then.
    bool append(const QByteArray &bytes, QString *error);
    void close() { m_file.close(); }

private:
    QFile m_file;
};

#endif
