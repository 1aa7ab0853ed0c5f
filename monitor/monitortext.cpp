#include "monitortext.h"

#include "commandset.h"

namespace {
const QString kTimeFormat = QStringLiteral("[yyyy-MM-dd hh:mm:ss.zzz]");
const QString kViewLineEnd = QStringLiteral("\r\n");
} // namespace

QString recvHeader(int byteCount, const QDateTime &received)
{
    return QStringLiteral("%1[%2] : ")
            .arg(received.toString(kTimeFormat), QString::number(byteCount));
}

QString hexSpaced(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    return QString::fromLatin1(bytes.toHex(' ').toUpper()) + QLatin1Char(' ');
}

QString decodeOneLine(const QByteArray &bytes)
{
    QString text = decodeGb2312(bytes).trimmed();
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString burstDisplayText(MonitorView view, const QByteArray &bytes, const QDateTime &received)
{
    if (bytes.isEmpty())
        return QString();
    switch (view) {
    case MonitorView::Original:
        return decodeGb2312(bytes);
    case MonitorView::Hex:
        return recvHeader(bytes.size(), received) + hexSpaced(bytes) + kViewLineEnd;
    case MonitorView::OriginalHex:
        break;
    }
    return recvHeader(bytes.size(), received) + decodeOneLine(bytes) + QStringLiteral(" ( ")
            + hexSpaced(bytes) + QStringLiteral(" )") + kViewLineEnd;
}
