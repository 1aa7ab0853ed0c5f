#ifndef NORVO_DEVICETYPEMGR_H
#define NORVO_DEVICETYPEMGR_H

#include <QByteArray>
#include <QMap>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QUrl>

#include <atomic>

// Fetches the maker's download page and keeps its catalogue: package name → download link.
class DeviceTypeMgr : public QThread
{
    Q_OBJECT

public:
    explicit DeviceTypeMgr(QObject *parent = nullptr);

    // Where the download page lives when the settings name no server.
    static constexpr char kDefaultBaseUrl[] = "http://download.norvo.example";
    // A catalogue page is a few kilobytes; a server sending more is not believed.
    static constexpr qint64 kMaxPageBytes = 1024 * 1024;
    // A catalogue nests html → body → list → row → cell → link, with a little
    // markup in the names; the DOM reader recurses once per level, so a page
    // nested far deeper would exhaust the worker's stack.
    static constexpr int kMaxDepth = 64;

    // The download page: the configured server's /down.html.
    static QUrl pageUrl();

    // Every entry of every fetch so far; read it after signalFinished.
    QMap<QString, QString> catalogue() const;
    // Stops a running fetch and waits for it; no message follows.
    void requestStop();
    // Adds the rows of a catalogue page, links taken relative to base; false
    // when the page is no catalogue or holds no row it takes. A row whose link
    // is no http or https link to a package (on an https page: no https link)
    // is left out.
    bool parseCatalogue(const QByteArray &page, const QUrl &base = QUrl());

signals:
    void signalShowErrorMessage(const QString &error);
    void signalFinished();

protected:
    void run() override;

private:
    // The page, or nothing when the fetch failed, was stopped or ran out of bounds.
    QByteArray fetchCatalogue(const QUrl &url);

    std::atomic<bool> m_stop{false};
    mutable QMutex m_mutex;
    QMap<QString, QString> m_catalogue;
};

#endif
