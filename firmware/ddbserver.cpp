#include "ddbserver.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace {
// One connection for the whole process, reopened on each package.
constexpr char kConnectionName[] = "{2E451E41-C049-4DED-911D-15B6DA036408}";
// Lists and maps inside a package map: an entry that nests deeper is not one
// the assistant could have a use for.
constexpr int kMaxPackageNesting = 8;
// The fewest stream bytes a list item takes: a length, or a variant's type and null flag.
constexpr qint64 kLengthBytes = 4;
constexpr qint64 kVariantHeaderBytes = 5;

QString message(const char *text)
{
    return QCoreApplication::translate("QObject", text);
}

// Value types read as the stream reads them: fixed sizes, or a length read in
// chunks of what the stream really holds. Other types reserve what they
// announce, recurse or run decoders, and are not read that way.
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

// Reads a package map as the stream reads a QMap of variants, with lists and
// maps of these inside it, but bounded: each count by the bytes left, all
// counts together by DDbServer::kMaxEntries, nesting by kMaxPackageNesting.
class PackageMapReader
{
public:
    explicit PackageMapReader(const QByteArray &payload)
        : m_stream(payload)
    {
        m_stream.setVersion(kPackageStreamVersion);
    }

    bool read(PackageContent *content) { return readMap(0, content); }

private:
    bool ok() const { return m_stream.status() == QDataStream::Ok; }

    // A count of items of at least itemBytes each that the stream can hold.
    bool readCount(qint64 itemBytes, quint32 *count)
    {
        m_stream >> *count;
        m_itemsLeft -= *count;
        return ok() && m_itemsLeft >= 0
                && *count <= m_stream.device()->bytesAvailable() / itemBytes;
    }

    template<typename Map>
    bool readMap(int depth, Map *map)
    {
        quint32 count = 0;
        if (!readCount(kLengthBytes + kVariantHeaderBytes, &count))
            return false;
        for (quint32 i = 0; i < count; ++i) {
            QString key;
            QVariant value;
            m_stream >> key;
            if (!ok() || !readValue(depth, &value))
                return false;
            map->insert(key, value);
        }
        return true;
    }

    template<typename List>
    bool readList(int depth, qint64 itemBytes, QVariant *value)
    {
        quint32 count = 0;
        if (!readCount(itemBytes, &count))
            return false;
        List list;
        for (quint32 i = 0; i < count; ++i) {
            typename List::value_type item;
            if (!readItem(depth, &item))
                return false;
            list.append(item);
        }
        *value = QVariant::fromValue(list);
        return true;
    }

    template<typename Map>
    bool readNestedMap(int depth, QVariant *value)
    {
        Map map;
        if (!readMap(depth, &map))
            return false;
        *value = map;
        return true;
    }

    template<typename Item>
    bool readItem(int, Item *item)
    {
        m_stream >> *item;
        return ok();
    }
    bool readItem(int depth, QVariant *item) { return readValue(depth, item); }

    bool readValue(int depth, QVariant *value)
    {
        const qint64 start = m_stream.device()->pos();
        quint32 typeId = 0;
        qint8 isNull = 0;
        m_stream >> typeId >> isNull;
        if (!ok())
            return false;
        if (plainValueType(typeId)) {
            m_stream.device()->seek(start);
            m_stream >> *value;
            return ok();
        }
        if (depth >= kMaxPackageNesting)
            return false;
        switch (typeId) {
        case QMetaType::QStringList:
            return readList<QStringList>(depth + 1, kLengthBytes, value);
        case QMetaType::QByteArrayList:
            return readList<QByteArrayList>(depth + 1, kLengthBytes, value);
        case QMetaType::QVariantList:
            return readList<QVariantList>(depth + 1, kVariantHeaderBytes, value);
        case QMetaType::QVariantMap:
            return readNestedMap<QVariantMap>(depth + 1, value);
        case QMetaType::QVariantHash:
            return readNestedMap<QVariantHash>(depth + 1, value);
        default:
            return false; // a type the assistant does not know cannot be read past
        }
    }

    QDataStream m_stream;
    qint64 m_itemsLeft = DDbServer::kMaxEntries;
};
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

bool DDbServer::distrustFile()
{
    const QVariant handle = m_db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    if (db == nullptr)
        return false;
    // No text or blob above the package limit is ever built, whatever the
    // schema computes or the file stores.
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, static_cast<int>(kMaxCellBytes));
    // A double-quoted name that matches no column is an error, not a text.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    // The file's own functions, views and triggers stay unused.
    return QSqlQuery(m_db).exec(QStringLiteral("PRAGMA trusted_schema = OFF"));
}

QString DDbServer::cellColumn()
{
    // table_xinfo, unlike table_info, lists generated and hidden columns too,
    // in the order a select of all columns gives them.
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA table_xinfo(\"INFO\")")) || !query.next())
        return QString();
    const QString name = query.value(QStringLiteral("name")).toString();
    do {
        if (query.value(QStringLiteral("hidden")).toInt() != 0)
            return QString();
    } while (query.next());
    return query.lastError().type() == QSqlError::NoError ? name : QString();
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
    if (!m_db.open() || !distrustFile()
        || !QSqlQuery(m_db).exec(QStringLiteral("select count(*) from sqlite_master")))
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,打开文件失败,请检查文件类型!"));

    // One plain table (not a view nor a virtual table) with one row.
    if (countOf(QStringLiteral("select count(*) from pragma_table_list where schema = 'main' and "
                               "name = 'INFO' and type = 'table'"))
                != 1
        || countOf(QStringLiteral("select count(*) from INFO")) != 1)
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,文件操作失败!"));

    // Only the first column is read, by its name, and only when every column
    // of the table is a stored one.
    const QString column = cellColumn();
    QSqlQuery query(m_db);
    if (column.isEmpty()
        || !query.exec(
                QStringLiteral("select \"%1\" from INFO")
                        .arg(QString(column).replace(QLatin1Char('"'), QStringLiteral("\"\""))))
        || !query.next())
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
    // A map that cannot be read whole is as broken as one that does not verify.
    PackageContent read;
    if (!PackageMapReader(payload).read(&read))
        return message(QT_TRANSLATE_NOOP("QObject", "解析文件失败,文件校验失败!"));
    *content = read;
    return QString();
}

// The texts are the update dialog's, which shows them.
QString loadPackageForUpdate(const QString &path, DEncryptInfo *info)
{
    if (path.isEmpty())
        return QCoreApplication::translate("UpdateDialog", "请选择文件!");
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return QCoreApplication::translate("UpdateDialog", "更新失败,文件不存在或拒绝访问!");
    // Read anew each time, so a package changed since it was chosen is verified again.
    DEncryptInfo read(path);
    DDbServer server;
    const QString error = server.parsePackage(read);
    if (error.isEmpty())
        *info = read;
    return error;
}
