#include "devicerecord.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <QSysInfo>

namespace {
// Another batch holds the lock only while it appends one line.
constexpr int kLockWaitMs = 10000;
constexpr char kRecordHeader[] = "time_utc,host,port,device,model,command,outcome,status,"
                                 "package_version,package_md5,file_md5,verify,detail\n";
// The item files carry one too: spreadsheets then read the Chinese texts as UTF-8.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
} // namespace

DeviceRecord::DeviceRecord(const QString &fileName)
    : m_fileName(fileName)
{ }

QString DeviceRecord::csvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    for (const QChar ch : text) {
        if (special.contains(ch)) {
            QString quoted = text;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            return QLatin1Char('"') + quoted + QLatin1Char('"');
        }
    }
    return text;
}

QString DeviceRecord::prepare() const
{
    return appendBytes(QByteArray());
}

QString DeviceRecord::append(const DeviceRecordLine &line) const
{
    const QStringList fields{
            line.time.toUTC().toString(Qt::ISODate),
            QSysInfo::machineHostName(),
            line.port,
            line.device,
            line.model,
            line.command,
            line.outcome,
            QString::number(line.status),
            line.packageVersion,
            line.packageMd5,
            line.fileMd5,
            line.verify,
            line.detail,
    };
    QStringList quoted;
    for (const QString &field : fields)
        quoted << csvField(field);
    return appendBytes(quoted.join(QLatin1Char(',')).toUtf8() + '\n');
}

QString DeviceRecord::appendBytes(const QByteArray &line) const
{
    QLockFile lock(m_fileName + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs))
        return tr("记录文件被锁住, 无法写入: %1").arg(m_fileName);
    // A link planted where the record goes would make the line land elsewhere.
    const QFileInfo info(m_fileName);
    if (info.isSymLink())
        return tr("记录文件是符号链接, 不写入: %1").arg(m_fileName);
    if (info.exists() && !info.isFile())
        return tr("记录文件不是普通文件: %1").arg(m_fileName);
    QFile file(m_fileName);
    if (!file.open(QIODevice::Append | QIODevice::Unbuffered))
        return tr("无法写入记录文件 %1: %2").arg(m_fileName, file.errorString());
    QByteArray bytes = line;
    if (file.size() == 0)
        bytes.prepend(QByteArray(kByteOrderMark) + kRecordHeader);
    // One write of the whole line: O_APPEND places it at the end as a unit.
    if (!bytes.isEmpty() && file.write(bytes) != bytes.size())
        return tr("无法写入记录文件 %1: %2").arg(m_fileName, file.errorString());
    return QString();
}
