#include "updatethread.h"

#include "bootloaderframes.h"
#include "commandset.h"
#include "config.h"
#include "portprobe.h"
#include "seriallink.h"
#include "settingskeys.h"

#include <QRegularExpression>
#include <QSerialPort>

namespace {
constexpr int kIdentifyAttempts = 2;
constexpr qint64 kPercent = 100;
constexpr int kClosingRequests = 2;
// A model name is a short code ("NV-100A"); anything longer is not shown.
constexpr int kMaxShownModelChars = 32;
// With fast completion a closing request is not waited on for 3000 ms: once the
// driver has taken it, it still has to leave the adapter (its wire time) and
// the boot-loader to take it before the next one or before the port closes;
// 50 ms is plenty for that.
constexpr int kClosingSettleMs = 50;
} // namespace

UpdateThread::UpdateThread(QObject *parent)
    : QThread(parent)
{ }

void UpdateThread::setPackage(const DEncryptInfo &package)
{
    m_package = package;
}

QString UpdateThread::packageRefusal(const DEncryptInfo &package)
{
    // Erasing the instrument for nothing and calling that a success helps no one.
    return package.image().isEmpty() ? tr("固件更新失败,固件包中没有固件!") : QString();
}

void UpdateThread::run()
{
    QSerialPort port;
    const QByteArray image = m_package.image();
    m_fastCompletion
            = singleton<Config>::instance()->value(SettingsKeys::kFirmwareFastCompletion).toBool();
    m_failure = Failure::None;
    m_identifiedModel.clear();

    const QString refusal = packageRefusal(m_package);
    if (!refusal.isEmpty()) {
        m_failure = Failure::Package;
        emit signalShowErrorMessage(refusal);
        return;
    }

    if (!openSerialPort(port)) {
        m_failure = Failure::Link;
        emit signalShowErrorMessage(
                tr("固件更新失败,%1")
                        .arg(openFailureText(port, tr("打开串口失败: %1").arg(QString()))));
        return;
    }

    QByteArray answer;
    bool identified = false;
    for (int attempt = 0; attempt < kIdentifyAttempts && !identified; ++attempt)
        identified = queryDeviceId(port, answer);
    // No boot-loader answered: most often the instrument runs its normal
    // firmware, or the port or its rate is not the instrument's.
    if (!identified)
        return fail(port,
                    tr("固件更新失败,获取设备ID失败! 请让仪表进入引导程序(升级模式), "
                       "并检查串口、波特率和连线。"));
    m_identifiedModel = reportedModel(answer);
    if (!modelMatches(answer))
        return fail(port,
                    tr("固件更新失败,BIN文件与设备型号不一致! (仪表: %1, 文件: %2)")
                            .arg(m_identifiedModel, m_package.model()),
                    Failure::WrongModel);

    const qint64 size = image.size();
    if (!eraseMemory(port, static_cast<quint32>(size)))
        return fail(port, tr("固件更新失败,擦除设备内存失败!"));
    emit signalUpdateProgress(0);

    // The last page is filled up from a buffer of its own, never read past the image.
    QByteArray lastPage;
    for (qint64 offset = 0; offset < size; offset += kBootPageBytes) {
        const char *page = image.constData() + offset;
        if (size - offset < kBootPageBytes) {
            lastPage = image.mid(static_cast<int>(offset));
            lastPage.append(QByteArray(kBootPageBytes - lastPage.size(), kPageFiller));
            page = lastPage.constData();
        }
        const auto index = static_cast<quint8>(offset / kBootPageBytes);
        if (!writePage(port, page, index))
            return fail(port, tr("固件更新失败,发送文件数据失败!"));
        // The share of the image that lay before this page.
        emit signalUpdateProgress(static_cast<int>(offset * kPercent / size));
    }
    sendClosingRequest(port);
    emit signalUpdateSucceed();
}

void UpdateThread::fail(QSerialPort &port, const QString &message, Failure failure)
{
    m_failure = failure;
    emit signalShowErrorMessage(message);
    sendClosingRequest(port);
}

bool UpdateThread::exchangeExpect(QSerialPort &port, const QByteArray &request,
                                  const QByteArray &expected)
{
    QByteArray answer;
    const LinkStatus status = m_fastCompletion
            ? sendAndReceiveKnownLength(port, request, expected.size(), answer)
            : sendAndReceive(port, request, answer);
    return status == LinkOk && answer == expected;
}

bool UpdateThread::queryDeviceId(QSerialPort &port, QByteArray &answer)
{
    // The boot-loader's frame says itself when it is whole; without fast
    // completion the line still has to fall quiet after it.
    const LinkStatus status = m_fastCompletion
            ? sendAndReceiveUntil(port, bootIdentifyRequest(), bootAnswerComplete, answer)
            : sendAndReceive(port, bootIdentifyRequest(), answer);
    return status == LinkOk;
}

bool UpdateThread::modelMatches(const QByteArray &answer) const
{
    const QString expected = QStringLiteral("!Find %1 OK").arg(m_package.model());
    return decodeGb2312(answer).contains(expected, Qt::CaseSensitive);
}

QString UpdateThread::reportedModel(const QByteArray &answer)
{
    // The boot-loader names its model as "!Find MODEL OK"; what it sends is
    // shown to the user, so only a short run of printable characters is taken.
    static const QRegularExpression found(
            QStringLiteral("!Find ([!-~]{1,%1}) OK").arg(kMaxShownModelChars));
    const QRegularExpressionMatch match = found.match(decodeGb2312(answer));
    return match.hasMatch() ? match.captured(1) : tr("未知");
}

bool UpdateThread::eraseMemory(QSerialPort &port, quint32 size)
{
    return exchangeExpect(port, bootEraseRequest(size), bootEraseAnswer());
}

bool UpdateThread::writePage(QSerialPort &port, const char *page, quint8 index)
{
    return exchangeExpect(port, bootPageRequest(page, index), bootPageAnswer(index));
}

void UpdateThread::sendClosingRequest(QSerialPort &port)
{
    // The boot-loader leaves for the firmware; whatever it says is not looked
    // at, and an answer to the first request is cleared away with the second.
    const QByteArray request = bootClosingRequest();
    for (int sent = 0; sent < kClosingRequests; ++sent) {
        if (!m_fastCompletion) {
            QByteArray ignored;
            sendAndReceive(port, request, ignored);
            continue;
        }
        port.clear(QSerialPort::AllDirections);
        port.write(request);
        port.waitForBytesWritten(kWriteTimeoutMs);
        msleep(static_cast<unsigned long>(kClosingSettleMs
                                          + lineTimeMs(request.size(), port.baudRate())));
    }
}
