#ifndef NORVO_HTTPTESTSERVER_H
#define NORVO_HTTPTESTSERVER_H

#include <QProcess>
#include <QString>

#include <csignal>

// The download server of tools/http on 127.0.0.1, serving one directory for
// as long as the object lives (routes: see the script).
class HttpTestServer
{
public:
    explicit HttpTestServer(const QString &root)
    {
        m_process.start(QStringLiteral(NORVO_PYTHON),
                        {QStringLiteral(NORVO_HTTP_SERVER), QStringLiteral("--root"), root});
        if (m_process.waitForReadyRead(10000))
            m_port = m_process.readLine().trimmed().toInt();
    }
    ~HttpTestServer() { stop(); }
    HttpTestServer(const HttpTestServer &) = delete;
    HttpTestServer &operator=(const HttpTestServer &) = delete;

    bool isRunning() const { return m_port > 0 && m_process.state() == QProcess::Running; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    QString url(const QString &path) const { return baseUrl() + QLatin1Char('/') + path; }
    // Ends the server at once, dropping the connections it holds.
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
    int m_port = 0;
};

#endif
