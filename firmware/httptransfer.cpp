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
// From here on the status says the request failed; a redirect (3xx) is still on its way.
constexpr int kHttpErrorFirst = 400;
constexpr qint64 kMsPerSec = 1000;

QVariant setting(const char *key)
{
    return singleton<Config>::instance()->value(QString::fromLatin1(key));
}
} // namespace

HttpTransfer::HttpTransfer(const QUrl &url, const std::atomic<bool> &stop, qint64 maxBytes)
    : m_stop(stop)
    , m_maxBytes(maxBytes)
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
    QObject::connect(m_reply, &QNetworkReply::metaDataChanged, &m_loop, &QEventLoop::quit);
    QObject::connect(&m_tick, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    m_tick.start(kPollMs);
    m_period.start();
}

QNetworkRequest HttpTransfer::request(const QUrl &url)
{
    QNetworkRequest request(url);
    // The body is counted against Content-Length and the size bound as it comes;
    // a compressed body would be neither (and the network layer asks for gzip).
    request.setRawHeader("Accept-Encoding", "identity");
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
        // An error page is no content: the transfer ends on its status line,
        // without reading a body that may be long or endless; the body of any
        // other status but 2xx is no content either.
        if (httpStatus() >= kHttpErrorFirst
            || (errorStatus() != 0 && m_reply->bytesAvailable() > 0)) {
            m_reply->abort();
            return Wait::Finished;
        }
        if (contentLength() > m_maxBytes || m_received + m_reply->bytesAvailable() > m_maxBytes) {
            m_reply->abort();
            return Wait::TooLarge;
        }
        if (m_reply->bytesAvailable() > 0)
            return Wait::Data;
        if (m_reply->isFinished())
            return Wait::Finished;
        if (m_period.elapsed() >= m_timeoutMs) {
            if (m_periodBytes < kMinBytesPerPeriod) {
                m_reply->abort();
                return Wait::TimedOut;
            }
            m_period.restart();
            m_periodBytes = 0;
        }
        m_loop.exec();
    }
}

QByteArray HttpTransfer::read(qint64 maxBytes)
{
    const QByteArray bytes = m_reply->read(maxBytes);
    m_periodBytes += bytes.size();
    m_received += bytes.size();
    return bytes;
}

qint64 HttpTransfer::contentLength() const
{
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    return length.isValid() ? length.toLongLong() : -1;
}

int HttpTransfer::httpStatus() const
{
    return m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

int HttpTransfer::errorStatus() const
{
    const int status = httpStatus();
    return status != 0 && (status < kHttpOkFirst || status > kHttpOkLast) ? status : 0;
}

bool HttpTransfer::failed() const
{
    return m_reply->error() != QNetworkReply::NoError || errorStatus() != 0;
}

QString HttpTransfer::errorString() const
{
    return m_reply->errorString();
}
