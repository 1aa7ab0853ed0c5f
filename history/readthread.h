#ifndef NORVO_READTHREAD_H
#define NORVO_READTHREAD_H

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>

// Sends one history request and streams the instrument's answer as text, off the GUI thread.
class ReadThread : public QThread
{
    Q_OBJECT

public:
    // The answer is complete once the line stays quiet this long.
    static constexpr int kAnswerQuietMs = 50;
    // The most bytes one answer may bring. Years of records stay well below
    // it; an instrument whose debug output was left on never goes quiet, and
    // without a bound its answer would fill the view and memory without end.
    static constexpr qint64 kMaxAnswerBytes = 64 * 1024 * 1024;

    explicit ReadThread(QObject *parent = nullptr);

    // Replaces kMaxAnswerBytes for the next queries, so a test of an endless
    // answer ends quickly.
    void setAnswerLimit(qint64 bytes) { m_answerLimit = bytes; }

    // Starts one query; ignored while one is running.
    void startQuery(const QByteArray &request);
    // Asks a running query to end after the chunk in hand; does not wait.
    void cancelQuery();

signals:
    void signalClearText();
    void signalAddText(const QString &text);
    void signalShowError(const QString &title, const QString &error);

protected:
    void run() override;

private:
    QByteArray m_request;
    qint64 m_answerLimit = kMaxAnswerBytes;
    std::atomic<bool> m_stop{false};
};

#endif
