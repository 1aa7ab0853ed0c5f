#ifndef NORVO_DDBSERVER_H
#define NORVO_DDBSERVER_H

#include "dencryptinfo.h"

#include <QDataStream>
#include <QSqlDatabase>
#include <QString>

// Stream format of the sealed block and of the map inside it.
constexpr int kPackageStreamVersion = QDataStream::Qt_5_6;

// Opens the Base64 text of a package's INFO cell: the payload must carry its
// own MD5 and a map that reads whole, which content then receives. Returns an
// empty text, or the translated reason with content untouched.
QString unsealPackageCell(const QByteArray &cell, PackageContent *content);

// Reads the package at path for flashing, as the update button does: a path,
// a readable file, a package that verifies. Returns an empty text and fills
// info, or the translated reason.
QString loadPackageForUpdate(const QString &path, DEncryptInfo *info);

// Reads firmware packages: an SQLite file whose one INFO row holds the sealed map in Base64.
class DDbServer
{
public:
    // A package's cell never comes near this; a larger one is not read at all.
    static constexpr qint64 kMaxCellBytes = 64 * 1024 * 1024;
    // A package map holds a handful of entries, and a list in it a few items:
    // more than this in all is not a package.
    static constexpr quint32 kMaxEntries = 1024;

    DDbServer();
    DDbServer(const DDbServer &) = delete;
    DDbServer &operator=(const DDbServer &) = delete;
    virtual ~DDbServer();

    // Reads info.filePath and on success replaces info.content with the package's
    // map; returns an empty text on success, else the translated reason, with
    // info.content left as it was.
    QString parsePackage(DEncryptInfo &info);

private:
    // The first column of the first row the query gives, 0 when there is none.
    qint64 countOf(const QString &sql);
    // Bounds what the open file can make SQLite build and keeps its schema's
    // code unused; false when that cannot be done.
    bool distrustFile();
    // The name of the INFO table's first column, empty when any of its
    // columns is generated or hidden.
    QString cellColumn();

    QSqlDatabase m_db;
};

#endif
