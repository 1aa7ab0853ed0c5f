#include "packagewriter.h"

#include "ddbserver.h"
#include "dencryptinfo.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

#include <cstdio>

namespace {
constexpr char kConnectionName[] = "norvo-pack-writer";

// Runs the statements on the database file at path; a connection of its own,
// removed again so the next call starts afresh.
bool runStatements(const QString &path, const QStringList &statements, const QVariant &cell,
                   QString *error)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QString::fromLatin1(kConnectionName));
        db.setDatabaseName(path);
        ok = db.open();
        if (!ok)
            *error = db.lastError().text();
        for (const QString &sql : statements) {
            if (!ok)
                break;
            QSqlQuery query(db);
            ok = query.prepare(sql);
            if (ok && sql.contains(QLatin1Char('?')))
                query.addBindValue(cell);
            ok = ok && query.exec();
            if (!ok)
                *error = QStringLiteral("%1: %2").arg(sql, query.lastError().text());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QString::fromLatin1(kConnectionName));
    return ok;
}
} // namespace

QList<PackageEntry> packageEntries(const QString &device, const QString &model,
                                   const QString &version, const QByteArray &image)
{
    return {
            {QString::fromLatin1(PackageKeys::kDevice), device},
            {QString::fromLatin1(PackageKeys::kModel), model},
            {QString::fromLatin1(PackageKeys::kVersion), version},
            {QString::fromLatin1(PackageKeys::kImage), image},
    };
}

QByteArray packagePayload(const QList<PackageEntry> &entries)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(kPackageStreamVersion);
    stream << quint32(entries.size());
    for (const PackageEntry &entry : entries)
        stream << entry.first << entry.second;
    return payload;
}

QByteArray sealBlock(const QByteArray &payload, const QByteArray &digest)
{
    QByteArray block;
    QDataStream stream(&block, QIODevice::WriteOnly);
    stream.setVersion(kPackageStreamVersion);
    stream << payload << digest;
    return block;
}

QByteArray packageCell(const QByteArray &payload)
{
    return sealBlock(payload, QCryptographicHash::hash(payload, QCryptographicHash::Md5))
            .toBase64();
}

bool writeDatabase(const QString &path, const QStringList &statements, const QVariant &cell,
                   QString *error)
{
    // Built beside the target and moved into place whole, so an existing file
    // is replaced only by a finished package.
    QTemporaryFile scratch(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".pack-XXXXXX")));
    if (!scratch.open()) {
        *error = QStringLiteral("cannot create a file beside %1: %2")
                         .arg(path, scratch.errorString());
        return false;
    }
    scratch.close();
    scratch.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                           | QFile::ReadOther);
    if (!runStatements(scratch.fileName(), statements, cell, error))
        return false;
    if (std::rename(QFile::encodeName(scratch.fileName()).constData(),
                    QFile::encodeName(path).constData())
        != 0) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    scratch.setAutoRemove(false);
    return true;
}

bool writePackageFile(const QString &path, const QByteArray &cell, QString *error)
{
    return writeDatabase(path,
                         {QStringLiteral("create table INFO (DATA text)"),
                          QStringLiteral("insert into INFO values (?)")},
                         QString::fromLatin1(cell), error);
}

bool writePackage(const QString &path, const QList<PackageEntry> &entries, QString *error)
{
    const QByteArray cell = packageCell(packagePayload(entries));
    if (cell.size() > DDbServer::kMaxCellBytes) {
        *error = QStringLiteral("the package would be %1 bytes in Base64; the assistant reads "
                                "at most %2")
                         .arg(cell.size())
                         .arg(DDbServer::kMaxCellBytes);
        return false;
    }
    return writePackageFile(path, cell, error);
}

QString describePackage(const QString &path, QString *error)
{
    DEncryptInfo info(path);
    DDbServer server;
    *error = server.parsePackage(info);
    if (!error->isEmpty())
        return QString();
    const QByteArray image = info.image();
    return QStringLiteral("device:  %1\nmodel:   %2\nversion: %3\nimage:   %4 bytes, %5 pages, "
                          "MD5 %6\nentries: %7\n")
            .arg(info.device(), info.model(), info.version())
            .arg(image.size())
            .arg((image.size() + 1023) / 1024)
            .arg(QString::fromLatin1(
                    QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex()))
            .arg(info.content.size());
}
