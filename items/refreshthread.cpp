#include "refreshthread.h"

#include "commandset.h"
#include "config.h"

#include <QSerialPort>

namespace {
constexpr char kRefreshImage[] = ":/image/refresh.png";
constexpr int kDataOffset = 3; // address, function, length byte
} // namespace

RefreshThread::RefreshThread(QObject *parent)
    : QThread(parent)
{ }

void RefreshThread::run()
{
    QSerialPort port;
    QByteArray answer;
    const QString title = tr("刷新");
    const QString image = QString::fromLatin1(kRefreshImage);

    if (!openSerialPort(port)) {
        emit showErrorMessage(title, openFailureText(port, tr("串口打开失败")), image);
        return;
    }
    emit signalClearItems();

    for (int item = 0; item <= kLastItemNumber; ++item) {
        const LinkStatus status = requestItem(port, item, answer);
        if (checkItemAnswer(status, port, item, title, image, answer))
            return;
        const int length = static_cast<unsigned char>(answer.at(2));
        const QString text = decodeGb2312(answer.mid(kDataOffset, length));
        emit signalAddItems(item, splitItemText(text));
    }
}

bool RefreshThread::checkItemAnswer(LinkStatus status, QSerialPort &port, int item,
                                    const QString &title, const QString &image, QByteArray &answer)
{
    const QString linkError = linkErrorText(status, answer);
    if (!linkError.isEmpty()) {
        // A pulled cable does not come back for a second try.
        if (item == kRetry || status == LinkPortLost) {
            emit showErrorMessage(title, linkError, image);
            return true;
        }
        const LinkStatus retryStatus = requestItem(port, item, answer);
        return checkItemAnswer(retryStatus, port, kRetry, title, image, answer);
    }

    switch (checkDataAnswer(answer)) {
    case DataAnswerCheck::AddressOrFunctionError:
        emit showErrorMessage(title, tr("地址或命令校验错误"), image);
        return true;
    case DataAnswerCheck::DataLengthError:
        emit showErrorMessage(title, tr("数据长度校验错误"), image);
        return true;
    case DataAnswerCheck::Ok:
        break;
    }
    const bool endOfList = static_cast<unsigned char>(answer.at(2)) == 0;
    return endOfList;
}
