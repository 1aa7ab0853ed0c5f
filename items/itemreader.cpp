#include "itemreader.h"

#include "commandset.h"
#include "config.h"
#include "seriallink.h"

#include <QCoreApplication>
#include <QSerialPort>

// The texts are the list reader's, which reports the same failures.
QString readItem(QSerialPort &port, int item, QStringList *fields)
{
    fields->clear();
    QByteArray answer;
    const LinkStatus status = requestItem(port, item, answer);
    const QString linkError = linkErrorText(status, answer);
    if (!linkError.isEmpty())
        return linkError;
    QString text;
    switch (checkDataAnswer(answer, &text)) {
    case DataAnswerCheck::AddressOrFunctionError:
        return QCoreApplication::translate("RefreshThread", "地址或命令校验错误");
    case DataAnswerCheck::DataLengthError:
        return QCoreApplication::translate("RefreshThread", "数据长度校验错误");
    case DataAnswerCheck::Ok:
        break;
    }
    if (!text.isEmpty())
        *fields = splitItemText(text);
    return QString();
}

QString openItemPort(QSerialPort &port)
{
    if (openSerialPort(port))
        return QString();
    return openFailureText(port, QCoreApplication::translate("RefreshThread", "串口打开失败"));
}

QString readItemFromDevice(int item, QStringList *fields)
{
    fields->clear();
    QSerialPort port;
    const QString openError = openItemPort(port);
    return openError.isEmpty() ? readItem(port, item, fields) : openError;
}
