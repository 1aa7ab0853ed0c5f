#include "historytextdecoder.h"

#include <QTextCodec>
#include <QTextDecoder>

namespace {
constexpr QChar kCarriageReturn = QLatin1Char('\r');
} // namespace

HistoryTextDecoder::HistoryTextDecoder()
    : m_decoder(QTextCodec::codecForName("gb2312")->makeDecoder())
{ }

HistoryTextDecoder::~HistoryTextDecoder() = default;

QString HistoryTextDecoder::decode(const QByteArray &chunk)
{
    QString text = m_decoder->toUnicode(chunk);
    if (m_heldCarriageReturn)
        text.prepend(kCarriageReturn);
    // The text view takes a lone CR as a line end of its own, so a CR LF split
    // between two chunks would show as an extra blank line.
    m_heldCarriageReturn = text.endsWith(kCarriageReturn);
    if (m_heldCarriageReturn)
        text.chop(1);
    return text;
}

QString HistoryTextDecoder::finish()
{
    const bool held = m_heldCarriageReturn;
    m_heldCarriageReturn = false;
    return held ? QString(kCarriageReturn) : QString();
}
