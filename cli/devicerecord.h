#ifndef NORVO_DEVICERECORD_H
#define NORVO_DEVICERECORD_H

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

// One line of the record: what a command did on one port.
struct DeviceRecordLine
{
    QDateTime time; // when the port finished
    QString port;
    QString device; // name and model as the instrument (or its boot-loader) gave them
    QString model;
    QString command; // the command and its arguments
    QString outcome; // a fixed keyword: ok, differs, usage, file, link, refused, stopped, …
    int status = 0;
    QString packageVersion; // flash only
    QString packageMd5;
    QString fileMd5; // write only: the file written onto the instrument
    QString verify;  // match, mismatch, or empty when no verify was asked for
    QString detail;
};

// The CSV file a batch appends a line to as each port finishes, for a trace
// of what went onto which unit. Several batches may share it: a line is built
// whole and goes out in one append under a lock file beside the record, so
// lines never interleave, and what is written stays written if the program
// dies later.
class DeviceRecord
{
    Q_DECLARE_TR_FUNCTIONS(DeviceRecord)

public:
    explicit DeviceRecord(const QString &fileName);

    // Creates the file with its header line when it is missing; an error
    // text, empty on success. Called before any port starts.
    QString prepare() const;
    QString append(const DeviceRecordLine &line) const;

    static QString csvField(const QString &text);

private:
    QString appendBytes(const QByteArray &line) const;

    QString m_fileName;
};

#endif
