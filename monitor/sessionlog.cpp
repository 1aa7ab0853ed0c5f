#include "sessionlog.h"

#include <QDir>
#include <QFileInfo>

bool SessionLog::open(const QString &fileName, QString *error)
{
    m_file.close();
    m_file.setFileName(fileName);
    if (QFileInfo(fileName).isSymLink()) {
        *error = tr("记录文件不能是符号链接: %1").arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    // Appended, not replaced: a log the user points at again goes on where it ended.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        *error = tr("无法打开记录文件 %1: %2")
                         .arg(QDir::toNativeSeparators(fileName), m_file.errorString());
        return false;
    }
    return true;
}

bool SessionLog::append(const QByteArray &bytes, QString *error)
{
    if (m_file.write(bytes) == bytes.size())
        return true;
    *error = tr("无法写入记录文件 %1: %2")
                     .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString());
    m_file.close();
    return false;
}
