#ifndef NORVO_BOOTLOADERMODE_H
#define NORVO_BOOTLOADERMODE_H

#include "replychunk.h"
#include "simrequest.h"

#include <QList>
#include <QString>

// The instrument's boot-loader: identifies its model, erases and takes the image page by page.
class BootLoaderMode
{
public:
    static constexpr int kPageBytes = 1024;

    explicit BootLoaderMode(const QString &model = QString());

    // Image bytes written since the last erase, cut to the size that erase announced.
    QByteArray image() const { return m_pages.left(m_erasedSize); }
    int closingRequests() const { return m_closingRequests; }

    // The answer to one request; an empty list leaves the line quiet.
    QList<ReplyChunk> answer(const SimRequest &request);

private:
    QByteArray erase(const QByteArray &data);
    QByteArray writePage(const QByteArray &data);

    QString m_model;
    QByteArray m_pages;
    int m_erasedSize = 0;
    int m_closingRequests = 0;
};

#endif
