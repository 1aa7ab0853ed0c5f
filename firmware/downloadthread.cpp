#include "downloadthread.h"

#include "httptransfer.h"

#include <QDir>
#include <QSaveFile>
#include <QUrl>

namespace {
constexpr qint64 kChunkBytes = 64 * 1024;
constexpr qint64 kAllPercent = 100;

bool plainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        // '/' and '\\' part paths, ':' names a drive or a stream, control
        // characters have no place in a name.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c.unicode() < 0x20)
            return false;
    }
    return true;
}
} // namespace

DownloadThread::DownloadThread(QObject *parent)
    : QThread(parent)
{ }

void DownloadThread::startDownload(const QString &link, const QString &directory)
{
    if (isRunning())
        return;
    m_stop = false;
    m_link = link;
    m_directory = directory;
    start(QThread::InheritPriority);
}

void DownloadThread::requestStop()
{
    if (!isRunning())
        return;
    m_stop = true;
    wait();
}

QString DownloadThread::fileNameFromLink(const QString &link)
{
    // The last segment is cut from the encoded path and only then decoded, so
    // an encoded separator stays inside the name and gets it refused.
    const QString path = QUrl(link, QUrl::TolerantMode).path(QUrl::FullyEncoded);
    const QString segment = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString name = QUrl::fromPercentEncoding(segment.toUtf8()).trimmed();
    return plainFileName(name) ? name : QString();
}

void DownloadThread::failWith(Failure failure, const QString &message)
{
    m_failure = failure;
    emit signalShowErrorMessage(message);
}

void DownloadThread::run()
{
    m_failure = Failure::None;
    const QString name = fileNameFromLink(m_link);
    if (name.isEmpty()) {
        failWith(Failure::Network, tr("下载失败,链接中没有可用的文件名: %1").arg(m_link));
        return;
    }
    QDir().mkpath(m_directory);
    // Written beside the target under another name and moved into place only
    // when complete: a failed or stopped download leaves an older file alone.
    QSaveFile file(QDir::toNativeSeparators(QDir(m_directory).filePath(name)));
    if (!file.open(QIODevice::WriteOnly)) {
        failWith(Failure::File, tr("下载失败,打开文件失败: %1").arg(name));
        return;
    }
    const bool complete = downloadTo(file);
    m_stop = false;
    if (!complete) {
        file.cancelWriting();
        return;
    }
    if (!file.commit()) {
        failWith(Failure::File, tr("下载失败,保存文件失败: %1").arg(name));
        return;
    }
    emit signalDownloadSucceed();
}

bool DownloadThread::downloadTo(QFileDevice &file)
{
    HttpTransfer transfer(QUrl(m_link, QUrl::TolerantMode), m_stop);
    if (!transfer.started()) {
        failWith(Failure::Network, tr("下载失败,打开链接失败!"));
        return false;
    }
    emit signalSetDownloadProgress(0);
    qint64 received = 0;
    int shown = 0;
    for (;;) {
        switch (transfer.waitForData()) {
        case HttpTransfer::Wait::Stopped:
            return false;
        case HttpTransfer::Wait::TimedOut:
            failWith(Failure::Network, tr("下载异常: %1").arg(tr("服务器长时间没有响应")));
            return false;
        case HttpTransfer::Wait::Finished:
            if (transfer.failed())
                failWith(Failure::Network, tr("下载异常: %1").arg(transfer.errorString()));
            else
                failWith(Failure::Network, tr("下载异常: 未找到该文件或下载失败"));
            return false;
        case HttpTransfer::Wait::Data:
            break;
        }
        const QByteArray chunk = transfer.read(kChunkBytes);
        if (file.write(chunk) != chunk.size()) {
            failWith(Failure::File, tr("下载异常: %1").arg(file.errorString()));
            return false;
        }
        received += chunk.size();
        const qint64 total = transfer.contentLength();
        if (total <= 0)
            continue; // no length announced: no share to show, and never complete
        const int percent = static_cast<int>(received * kAllPercent / total);
        if (percent != shown) {
            shown = percent;
            emit signalSetDownloadProgress(percent);
        }
        if (received == total)
            return true;
    }
}
