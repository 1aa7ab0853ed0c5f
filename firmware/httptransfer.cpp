#include "httptransfer.h"

#include "config.h"
#include "settingskeys.h"

#include <QNetworkReply>
#ifndef QT_NO_SSL
#include <QSslConfiguration>
#endif

namespace {
// How often the loop looks at the stop flag and the clock when nothing happens.
constexpr int kPollMs = 100;
constexpr int kHttpOkFirst = 200;
constexpr int kHttpOkLast = 299;
constexpr qint64 kMsPerSec = 1000;

QVariant setting(const char *key)
{
    return singleton<Config>::instance()->value(QString::fromLatin1(key));
}
} // namespace

HttpTransfer::HttpTransfer(const QUrl &url, const std::atomic<bool> &stop)
    : m_stop(stop)
{
    const QVariant timeout = setting(SettingsKeys::kDownloadTimeout);
    const int timeoutSecs
            = timeout.isValid() && timeout.toInt() > 0 ? timeout.toInt() : kDefaultTimeoutSecs;
    m_timeoutMs = timeoutSecs * kMsPerSec;

    m_reply = m_manager.get(request(url));
    if (!m_reply)
        return;
    m_reply->setReadBufferSize(kReadBufferBytes);
    QObject::connect(m_reply, &QNetworkReply::readyRead, &m_loop, &QEventLoop::quit);
    QObject::connect(m_reply, &QNetworkReply::finished, &m_loop, &QEventLoop::quit);
    QObject::connect(&m_tick, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    m_tick.start(kPollMs);
    m_sinceData.start();
}

QNetworkRequest HttpTransfer::request(const QUrl &url)
{
    QNetworkRequest request(url);
    // Redirects are followed, but never from https down to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
#ifndef QT_NO_SSL
    // Certificates are checked unless the settings say the maker's server has its own.
    const QVariant check = setting(SettingsKeys::kDownloadCheckCertificates);
    if (check.isValid() && !check.toBool()) {
        QSslConfiguration tls = request.sslConfiguration();
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        request.setSslConfiguration(tls);
    }
#endif
    return request;
}

HttpTransfer::~HttpTransfer()
{
    if (m_reply) {
        m_reply->abort();
        delete m_reply;
    }
    m_manager.clearAccessCache();
}

HttpTransfer::Wait HttpTransfer::waitForData()
{
    for (;;) {
        if (m_stop)
            return Wait::Stopped;
        if (m_reply->bytesAvailable() > 0) {
            if (!errorStatus())
                return Wait::Data;
            m_reply->readAll();
            m_sinceData.restart();
        }
        if (m_reply->isFinished())
            return Wait::Finished;
        if (m_sinceData.elapsed() >= m_timeoutMs) {
            m_reply->abort();
            return Wait::TimedOut;
        }
        m_loop.exec();
    }
}

QByteArray HttpTransfer::read(qint64 maxBytes)
{
    m_sinceData.restart();
    return m_reply->read(maxBytes);
}

qint64 HttpTransfer::contentLength() const
{
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    return length.isValid() ? length.toLongLong() : -1;
}

bool HttpTransfer::errorStatus() const
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() && (status.toInt() < kHttpOkFirst || status.toInt() > kHttpOkLast);
}

bool HttpTransfer::failed() const
{
    return m_reply->error() != QNetworkReply::NoError || errorStatus();
}

QString HttpTransfer::errorString() const
{
    return m_reply->errorString();
}
