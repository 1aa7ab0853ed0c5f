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

// One HTTP GET driven from a worker thread's own loop, bounded by a stop flag
// and by a timeout on silence from the server.
class HttpTransfer
{
public:
    enum class Wait {
        Data,     // body bytes are ready to read
        Finished, // the reply ended; failed() tells how
        Stopped,  // the stop flag was raised
        TimedOut, // the server sent nothing for the configured time
    };

    static constexpr int kDefaultTimeoutSecs = 30;
    // What the network layer buffers for us; the server is held back beyond it.
    static constexpr qint64 kReadBufferBytes = 1024 * 1024;

    // Sends the request at once; certificate checking and the timeout come
    // from the settings.
    HttpTransfer(const QUrl &url, const std::atomic<bool> &stop);
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
    QString errorString() const;

private:
    // An HTTP error page is no content: its body is dropped unread.
    bool errorStatus() const;

    const std::atomic<bool> &m_stop;
    QNetworkAccessManager m_manager;
    QNetworkReply *m_reply = nullptr;
    QEventLoop m_loop;
    QTimer m_tick;
    QElapsedTimer m_sinceData;
    qint64 m_timeoutMs = 0;
};

#endif
