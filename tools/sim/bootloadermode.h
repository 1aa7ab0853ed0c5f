#ifndef NORVO_BOOTLOADERMODE_H
#define NORVO_BOOTLOADERMODE_H

#include "replychunk.h"
#include "simrequest.h"

#include <QList>
#include <QString>

// Misbehaviour asked of the boot-loader; pages are counted from 0 after the erase.
struct BootLoaderFaults
{
    enum class Answer {
        Good,
        Silent,  // no answer at all
        Wrong,   // a well-formed answer that says something else
        Corrupt, // the right answer with one byte changed
    };

    int silentIdentifications = 0; // identification requests left unanswered
    Answer erase = Answer::Good;
    Answer page = Answer::Good;
    int pageNumber = 0;         // the page the page fault spoils
    bool answerClosing = false; // acknowledge the closing request, sparing the client its wait

    // Adds one fault named as on the command line: silent-id, erase-wrong,
    // erase-silent, erase-corrupt, page-wrong:K, page-silent:K, page-corrupt:K
    // or answer-closing. False with error set for anything else.
    bool add(const QString &name, QString *error);
};

// The instrument's boot-loader: identifies its model, erases and takes the image page by page.
class BootLoaderMode
{
public:
    static constexpr int kPageBytes = 1024;

    explicit BootLoaderMode(const QString &model = QString());

    void setFaults(const BootLoaderFaults &faults) { m_faults = faults; }

    // Image bytes written since the last erase, cut to the size that erase announced.
    QByteArray image() const { return m_pages.left(m_erasedSize); }
    int closingRequests() const { return m_closingRequests; }

    // The answer to one request; an empty list leaves the line quiet.
    QList<ReplyChunk> answer(const SimRequest &request);

private:
    QByteArray identify();
    QByteArray erase(const QByteArray &data);
    QByteArray writePage(const QByteArray &data);

    QString m_model;
    BootLoaderFaults m_faults;
    QByteArray m_pages;
    int m_erasedSize = 0;
    int m_closingRequests = 0;
};

#endif
