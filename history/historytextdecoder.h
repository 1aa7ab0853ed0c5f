#ifndef NORVO_HISTORYTEXTDECODER_H
#define NORVO_HISTORYTEXTDECODER_H

#include <QByteArray>
#include <QString>

#include <memory>

class QTextDecoder;

// Turns the GB2312 chunks of one history answer into text pieces that join up
// exactly as the whole answer would decode: a character or a CR LF line end
// that a chunk boundary splits is completed with the next chunk.
class HistoryTextDecoder
{
public:
    HistoryTextDecoder();
    ~HistoryTextDecoder();
    HistoryTextDecoder(const HistoryTextDecoder &) = delete;
    HistoryTextDecoder &operator=(const HistoryTextDecoder &) = delete;

    // The text this chunk completes; may be empty.
    QString decode(const QByteArray &chunk);
    // What is still held back once the answer has ended.
    QString finish();

private:
    std::unique_ptr<QTextDecoder> m_decoder;
    bool m_heldCarriageReturn = false;
};

#endif
