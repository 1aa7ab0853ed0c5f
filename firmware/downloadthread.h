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

    // Why the last run failed: the server or the network, the file it was to
    // be saved in, or a file of that name that was not to be replaced.
    enum class Failure { None, Network, File, Exists };

    // A package's size bound when the settings give none: the package reader
    // refuses a larger one anyway.
    static constexpr int kDefaultMaxSizeMiB = 64;

    // Ignored while a download runs. An existing file of the package's name is
    // replaced only when replace is true; a symbolic link there never is.
    void startDownload(const QString &link, const QString &directory, bool replace = false);
    // Read once the run has finished.
    Failure failure() const { return m_failure; }
    // Stops a running download and waits for it; the partial file is dropped.
    void requestStop();

    // The package name an http or https link ends in, decoded; empty for any
    // other link, and for a name that is not *.nvbin, starts with '.' or holds
    // a path separator of any platform.
    static QString fileNameFromLink(const QString &link);
    // Where the link's package goes in directory; empty when the link is refused.
    static QString targetPath(const QString &link, const QString &directory);

signals:
    void signalDownloadSucceed();
    void signalShowErrorMessage(const QString &error);
    void signalSetDownloadProgress(int value);

protected:
    void run() override;
    // Transfers the link into file; true when every announced byte arrived.
    virtual bool downloadTo(QFileDevice &file);

private:
    // The failure a message is about to report.
    void failWith(Failure failure, const QString &message);

    std::atomic<bool> m_stop{false};
    Failure m_failure = Failure::None;
    QString m_link;
    QString m_directory;
    bool m_replace = false;
};

#endif
