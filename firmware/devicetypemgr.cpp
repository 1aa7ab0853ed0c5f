#include "devicetypemgr.h"

#include "config.h"
#include "downloadthread.h"
#include "httptransfer.h"
#include "settingskeys.h"

#include <QDomDocument>
#include <QXmlStreamReader>

namespace {
constexpr char kPagePath[] = "/down.html";

// The text a row shows as its name: all text below the element, trimmed.
QString nameOf(const QDomElement &row)
{
    return row.firstChildElement(QStringLiteral("div")).text().trimmed();
}

// A streaming look at the page before the DOM reader gets it: well-formed and
// no deeper than kMaxDepth.
bool shallowAndWellFormed(const QByteArray &page)
{
    QXmlStreamReader reader(page);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > DeviceTypeMgr::kMaxDepth)
            return false;
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    return !reader.hasError();
}

// An https page's links are taken over https only: a plain http link would
// hand the package to anyone on the way.
bool acceptedLink(const QUrl &link, const QUrl &page)
{
    if (page.scheme() == QLatin1String("https") && link.scheme() != QLatin1String("https"))
        return false;
    return !DownloadThread::fileNameFromLink(link.toString()).isEmpty();
}

QString linkOf(const QDomElement &row)
{
    return row.lastChildElement(QStringLiteral("div"))
            .firstChildElement(QStringLiteral("a"))
            .attribute(QStringLiteral("href"))
            .trimmed();
}
} // namespace

DeviceTypeMgr::DeviceTypeMgr(QObject *parent)
    : QThread(parent)
{ }

QUrl DeviceTypeMgr::pageUrl()
{
    QString base = singleton<Config>::instance()
                           ->value(QString::fromLatin1(SettingsKeys::kDownloadBaseUrl))
                           .toString()
                           .trimmed();
    if (base.isEmpty())
        base = QString::fromLatin1(kDefaultBaseUrl);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + QLatin1String(kPagePath), QUrl::TolerantMode);
}

QMap<QString, QString> DeviceTypeMgr::catalogue() const
{
    QMutexLocker locker(&m_mutex);
    return m_catalogue;
}

void DeviceTypeMgr::requestStop()
{
    if (!isRunning())
        return;
    m_stop = true;
    wait();
    m_stop = false;
}

void DeviceTypeMgr::run()
{
    const QUrl url = pageUrl();
    const QByteArray page = fetchCatalogue(url);
    if (m_stop)
        return;
    if (parseCatalogue(page, url))
        emit signalFinished();
    else
        emit signalShowErrorMessage(tr("获取设备列表失败,请重试!"));
}

QByteArray DeviceTypeMgr::fetchCatalogue(const QUrl &url)
{
    HttpTransfer transfer(url, m_stop, kMaxPageBytes);
    if (!transfer.started())
        return QByteArray();
    QByteArray page;
    for (;;) {
        switch (transfer.waitForData()) {
        case HttpTransfer::Wait::Data:
            page.append(transfer.read(kMaxPageBytes));
            break;
        case HttpTransfer::Wait::Finished:
            return transfer.failed() ? QByteArray() : page;
        case HttpTransfer::Wait::Stopped:
        case HttpTransfer::Wait::TimedOut:
        case HttpTransfer::Wait::TooLarge:
            return QByteArray();
        }
    }
}

bool DeviceTypeMgr::parseCatalogue(const QByteArray &page, const QUrl &base)
{
    // A page that is not well-formed is refused whole; the reader would
    // otherwise keep what it built up to the error.
    QDomDocument document;
    if (!shallowAndWellFormed(page) || !document.setContent(page, false))
        return false;
    const QDomElement root = document.documentElement();
    if (root.isNull() || root.tagName() != QLatin1String("html"))
        return false;
    // body → the list's div → its first div, a heading; every element after it is a row.
    QDomElement row = root.firstChildElement(QStringLiteral("body"))
                              .firstChildElement(QStringLiteral("div"))
                              .firstChildElement(QStringLiteral("div"))
                              .nextSiblingElement();
    QMutexLocker locker(&m_mutex);
    bool taken = false;
    for (; !row.isNull(); row = row.nextSiblingElement()) {
        QString link = linkOf(row);
        if (!link.isEmpty()) {
            // A link relative to the page is made whole, so the download needs no page.
            const QUrl url = base.resolved(QUrl(link, QUrl::TolerantMode));
            if (!acceptedLink(url, base))
                continue;
            link = url.toString();
        }
        m_catalogue.insert(nameOf(row), link);
        taken = true;
    }
    return taken;
}
