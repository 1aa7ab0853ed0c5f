#include "historyexport.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>

QString exportErrorTitle()
{
    return QCoreApplication::translate("HistoryData", "导出配置");
}

QString exportOpenErrorText(const QString &fileName)
{
    return QCoreApplication::translate("HistoryData", "打开文件失败: %1").arg(fileName);
}

QString exportWriteErrorText(const QString &fileName)
{
    return QCoreApplication::translate("HistoryData", "写入文件失败: %1").arg(fileName);
}

QString exportHistoryCsv(const QString &fileName, const QString &text)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return exportOpenErrorText(fileName);
    QTextStream stream(&file);
    stream.setCodec(QTextCodec::codecForLocale());
    stream << text;
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.commit())
        return exportWriteErrorText(fileName);
    return QString();
}
