#ifndef NORVO_DOWNLOADTHREAD_H
#define NORVO_DOWNLOADTHREAD_H

#include <QString>
#include <QThread>

#include <atomic>

class QFileDevice;

// Downloads one package into a directory, keeping it only once it is complete.
class DownloadThread : public QThread
{
    Q_OBJECT

public:
    explicit DownloadThread(QObject *parent = nullptr);

    // Ignored while a download runs.
    void startDownload(const QString &link, const QString &directory);
    // Stops a running download and waits for it; the partial file is dropped.
    void requestStop();

    // The file name a link ends in, decoded; empty when it is no plain name
    // (empty, . or .., or holding a path separator of any platform).
    static QString fileNameFromLink(const QString &link);

signals:
    void signalDownloadSucceed();
    void signalShowErrorMessage(const QString &error);
    void signalSetDownloadProgress(int value);

protected:
    void run() override;
    // Transfers the link into file; true when every announced byte arrived.
    virtual bool downloadTo(QFileDevice &file);

private:
    std::atomic<bool> m_stop{false};
    QString m_link;
    QString m_directory;
};

#endif
