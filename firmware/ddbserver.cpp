#include "ddbserver.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
// One connection for the whole process, reopened on each package.
constexpr char kConnectionName[] = "{2E451E41-C049-4DED-911D-15B6DA036408}";
constexpr char kInfoTable[] = "INFO";

QString message(const char *text)
{
    return QCoreApplication::translate("QObject", text);
}

// Value types a package may carry. Variant containers nest without bound, list
// types reserve the count they announce before reading a single element, and
// the image types run decoders: a map holding any of them is read as broken.
bool plainValueType(quint32 typeId)
{
    switch (typeId) {
    case QMetaType::UnknownType: // a null variant
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::QChar:
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime:
    case QMetaType::QUuid:
        return true;
    default:
        return false;
    }
}

// The map stream read as QDataStream reads a QMap, entry by entry, so that
// each value's type can be looked at before it is read. Anything malformed
// gives an empty map.
PackageContent readContent(const QByteArray &payload)
{
    QDataStream stream(payload);
    stream.setVersion(kPackageStreamVersion);
    quint32 count = 0;
    stream >> count;
    if (count > DDbServer::kMaxEntries)
        return PackageContent();
    PackageContent content;
    for (quint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        QString key;
        stream >> key;
        const qint64 valueStart = stream.device()->pos();
        quint32 typeId = 0;
        stream >> typeId;
        if (stream.status() != QDataStream::Ok || !plainValueType(typeId))
            return PackageContent();
        stream.device()->seek(valueStart);
        QVariant value;
        stream >> value;
        content.insert(key, value);
    }
    return stream.status() == QDataStream::Ok ? content : PackageContent();
}
} // namespace

DDbServer::DDbServer()
{
    const QString name = QString::fromLatin1(kConnectionName);
    m_db = QSqlDatabase::contains(name)
            ? QSqlDatabase::database(name, false)
            : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
}

DDbServer::~DDbServer()
{
    m_db.close();
}

qint64 DDbServer::countOf(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.prepare(sql) || !query.exec() || !query.first())
        return 0;
    return query.value(0).toLongLong();
}

QString DDbServer::parsePackage(DEncryptInfo &info)
{
    const QFileInfo file(info.filePath);
    if (info.filePath.isEmpty() || !file.isFile() || !file.isReadable())
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,文件不存在或拒绝访问!"));

    // Read-only, so that a package is never changed by looking at it. SQLite
    // opens any file; the first read tells whether it is a database.
    m_db.close();
    m_db.setDatabaseName(info.filePath);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!m_db.open() || !QSqlQuery(m_db).exec(QStringLiteral("select count(*) from sqlite_master")))
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,打开文件失败,请检查文件类型!"));

    if (countOf(QStringLiteral("select count(*) from sqlite_master where type = 'table' and "
                               "name = 'INFO'"))
                != 1
        || countOf(QStringLiteral("select count(*) from INFO")) != 1)
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,文件操作失败!"));

    // The cell's size is asked first, so an oversized one is never loaded
    // (length() counts characters of a text cell, bytes of a blob).
    const QString column = m_db.record(QString::fromLatin1(kInfoTable)).fieldName(0);
    const QString sizeSql
            = QStringLiteral("select length(%1) from INFO")
                      .arg(m_db.driver()->escapeIdentifier(column, QSqlDriver::FieldName));
    QSqlQuery query(m_db);
    if (column.isEmpty() || countOf(sizeSql) > kMaxCellBytes
        || !query.prepare(QStringLiteral("select * from INFO")) || !query.exec() || !query.next())
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,无法获取文件内容!"));
    PackageContent content;
    const QString error = unsealPackageCell(query.value(0).toByteArray(), &content);
    if (error.isEmpty())
        info.content = content;
    return error;
}

QString unsealPackageCell(const QByteArray &cell, PackageContent *content)
{
    const QByteArray block = QByteArray::fromBase64(cell);
    QDataStream stream(block);
    stream.setVersion(kPackageStreamVersion);
    QByteArray payload;
    QByteArray digest;
    stream >> payload >> digest;
    if (digest != QCryptographicHash::hash(payload, QCryptographicHash::Md5))
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,文件校验失败!"));
    *content = readContent(payload);
    return QString();
}
