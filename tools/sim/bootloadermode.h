#ifndef NORVO_BOOTLOADERMODE_H
#define NORVO_BOOTLOADERMODE_H

#include "instrumentmode.h"

#include <QString>

// The instrument's boot-loader: identifies its model, erases and takes the image page by page.
class BootLoaderMode : public InstrumentMode
{
public:
    static constexpr int kPageBytes = 1024;

    explicit BootLoaderMode(const QString &model = QString());

    void setModel(const QString &model) { m_model = model; }
    const QString &model() const { return m_model; }
    // Image bytes written since the last erase, cut to the size that erase announced.
    QByteArray image() const { return m_pages.left(m_erasedSize); }
    int pagesWritten() const { return m_pages.size() / kPageBytes; }
    int closingRequests() const { return m_closingRequests; }

    QList<ReplyChunk> answer(const SimRequest &request) override;
    QByteArray spontaneousOutput(qint64) override { return QByteArray(); }

    // 7E 02 05 01 01, length, 01, text length, text, CRC high first, 7F.
    static QByteArray textAnswer(const QByteArray &text);

private:
    QByteArray erase(const QByteArray &data);
    QByteArray writePage(const QByteArray &data);

    QString m_model;
    QByteArray m_pages;
    int m_erasedSize = 0;
    int m_closingRequests = 0;
};

#endif
