#include "downloadthread.h"

#include "config.h"
#include "httptransfer.h"
#include "settingskeys.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace {
constexpr qint64 kChunkBytes = 64 * 1024;
constexpr qint64 kAllPercent = 100;
constexpr qint64 kBytesPerMiB = 1024 * 1024;
constexpr char kPackageSuffix[] = ".nvbin";

bool packageFileName(const QString &name)
{
    // Only packages: a link naming config.ini or a hidden file would put
    // something else than a package into the chosen folder.
    if (!name.endsWith(QLatin1String(kPackageSuffix), Qt::CaseInsensitive)
        || name.startsWith(QLatin1Char('.')))
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

int maxSizeMiB()
{
    const int setting = singleton<Config>::instance()
                                ->value(QString::fromLatin1(SettingsKeys::kDownloadMaxSize))
                                .toInt();
    return setting > 0 ? setting : DownloadThread::kDefaultMaxSizeMiB;
}
} // namespace

DownloadThread::DownloadThread(QObject *parent)
    : QThread(parent)
{ }

void DownloadThread::startDownload(const QString &link, const QString &directory, bool replace)
{
    if (isRunning())
        return;
    m_stop = false;
    m_link = link;
    m_directory = directory;
    m_replace = replace;
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
    const QUrl url(link, QUrl::TolerantMode);
    // Only the web: a file: link would copy a file of this machine.
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        return QString();
    // The last segment is cut from the encoded path and only then decoded, so
    // an encoded separator stays inside the name and gets it refused.
    const QString path = url.path(QUrl::FullyEncoded);
    const QString segment = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString name = QUrl::fromPercentEncoding(segment.toUtf8()).trimmed();
    return packageFileName(name) ? name : QString();
}

QString DownloadThread::targetPath(const QString &link, const QString &directory)
{
    const QString name = fileNameFromLink(link);
    return name.isEmpty() ? QString() : QDir::toNativeSeparators(QDir(directory).filePath(name));
}

void DownloadThread::failWith(Failure failure, const QString &message)
{
    m_failure = failure;
    emit signalShowErrorMessage(message);
}

void DownloadThread::run()
{
    m_failure = Failure::None;
    const QString target = targetPath(m_link, m_directory);
    if (target.isEmpty()) {
        failWith(Failure::Network,
                 tr("下载失败,只能下载 http 或 https 链接上的 .nvbin 文件: %1").arg(m_link));
        return;
    }
    const QString name = QFileInfo(target).fileName();
    // Writing through a link planted under the package's name would change
    // whatever file it points to.
    const QString linkRefused = tr("下载失败,目标是一个符号链接: %1").arg(name);
    if (QFileInfo(target).isSymLink()) {
        failWith(Failure::File, linkRefused);
        return;
    }
    if (QFileInfo::exists(target) && !m_replace) {
        failWith(Failure::Exists, tr("下载失败,文件已存在: %1").arg(name));
        return;
    }
    QDir().mkpath(m_directory);
    // Written beside the target under another name and moved into place only
    // when complete: a failed or stopped download leaves an older file alone.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        failWith(Failure::File, tr("下载失败,打开文件失败: %1").arg(name));
        return;
    }
    // The save file follows a link found when it opens; one planted since the
    // check above is refused as well.
    if (QFileInfo(target).isSymLink()) {
        file.cancelWriting();
        failWith(Failure::File, linkRefused);
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
    const int limitMiB = maxSizeMiB();
    HttpTransfer transfer(QUrl(m_link, QUrl::TolerantMode), m_stop, limitMiB * kBytesPerMiB);
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
        case HttpTransfer::Wait::TooLarge:
            failWith(Failure::Network, tr("下载异常: 文件超过 %1 MiB").arg(limitMiB));
            return false;
        case HttpTransfer::Wait::Finished:
            if (transfer.errorStatus() != 0)
                failWith(Failure::Network,
                         tr("下载异常: 服务器回答 HTTP %1").arg(transfer.errorStatus()));
            else if (transfer.failed())
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
