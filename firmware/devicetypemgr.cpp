#include "devicetypemgr.h"

#include "config.h"
#include "httptransfer.h"
#include "settingskeys.h"

#include <QDomDocument>

namespace {
constexpr char kPagePath[] = "/down.html";

// The text a row shows as its name: all text below the element, trimmed.
QString nameOf(const QDomElement &row)
{
    return row.firstChildElement(QStringLiteral("div")).text().trimmed();
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
    HttpTransfer transfer(url, m_stop);
    if (!transfer.started())
        return QByteArray();
    QByteArray page;
    for (;;) {
        switch (transfer.waitForData()) {
        case HttpTransfer::Wait::Data:
            page.append(transfer.read(kMaxPageBytes + 1 - page.size()));
            if (page.size() > kMaxPageBytes)
                return QByteArray();
            break;
        case HttpTransfer::Wait::Finished:
            return transfer.failed() ? QByteArray() : page;
        case HttpTransfer::Wait::Stopped:
        case HttpTransfer::Wait::TimedOut:
            return QByteArray();
        }
    }
}

bool DeviceTypeMgr::parseCatalogue(const QByteArray &page, const QUrl &base)
{
    // A page that is not well-formed is refused whole; the reader would
    // otherwise keep what it built up to the error.
    QDomDocument document;
    if (!document.setContent(page, false))
        return false;
    const QDomElement root = document.documentElement();
    if (root.isNull() || root.tagName() != QLatin1String("html"))
        return false;
    // body → the list's div → its first div, a heading; every element after it is a row.
    QDomElement row = root.firstChildElement(QStringLiteral("body"))
                              .firstChildElement(QStringLiteral("div"))
                              .firstChildElement(QStringLiteral("div"))
                              .nextSiblingElement();
    if (row.isNull())
        return false;
    QMutexLocker locker(&m_mutex);
    for (; !row.isNull(); row = row.nextSiblingElement()) {
        QString link = linkOf(row);
        // A link relative to the page is made whole, so the download needs no page.
        if (!link.isEmpty() && base.isValid())
            link = base.resolved(QUrl(link, QUrl::TolerantMode)).toString();
        m_catalogue.insert(nameOf(row), link);
    }
    return true;
}
