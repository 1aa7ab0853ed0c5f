#ifndef NORVO_HTTPTRANSFER_H
#define NORVO_HTTPTRANSFER_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <atomic>

class QNetworkReply;

// One HTTP GET driven from a worker thread's own loop, bounded by a stop flag,
// by the bytes it may bring and by a least pace the server has to keep.
class HttpTransfer
{
public:
    enum class Wait {
        Data,     // body bytes are ready to read
        Finished, // the reply ended, or an HTTP error status ended it; failed() tells how
        Stopped,  // the stop flag was raised
        TimedOut, // the server sent too little for the configured time
        TooLarge, // the body announced or brought more than maxBytes
    };

    static constexpr int kDefaultTimeoutSecs = 30;
    // Less than this in a whole timeout period is no progress: a byte now and
    // then would otherwise hold a transfer open for ever.
    static constexpr qint64 kMinBytesPerPeriod = 1024;
    // What the network layer buffers for us; the server is held back beyond it.
    static constexpr qint64 kReadBufferBytes = 1024 * 1024;

    // Sends the request at once; certificate checking and the timeout come
    // from the settings.
    HttpTransfer(const QUrl &url, const std::atomic<bool> &stop, qint64 maxBytes);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer &) = delete;
    HttpTransfer &operator=(const HttpTransfer &) = delete;

    // The GET request for url as the settings shape it.
    static QNetworkRequest request(const QUrl &url);

    bool started() const { return m_reply != nullptr; }
    Wait waitForData();
    QByteArray read(qint64 maxBytes);
    // The announced body length, or -1 when the server announced none.
    qint64 contentLength() const;
    // True when the reply ended in a network error or an HTTP status other than 2xx.
    bool failed() const;
    // The HTTP status that ended the reply, or 0 when it ended some other way.
    int errorStatus() const;
    QString errorString() const;

private:
    int httpStatus() const;

    const std::atomic<bool> &m_stop;
    const qint64 m_maxBytes;
    QNetworkAccessManager m_manager;
    QNetworkReply *m_reply = nullptr;
    QEventLoop m_loop;
    QTimer m_tick;
    QElapsedTimer m_period;
    qint64 m_periodBytes = 0;
    qint64 m_received = 0;
    qint64 m_timeoutMs = 0;
};

#endif
