#include "simitem.h"

#include "commandset.h"

#include <QRegularExpression>

namespace {
constexpr int kMaxAnswerTextBytes = 255; // one length byte in the data answer

bool readsAsNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}
} // namespace

SimItem::SimItem(const QString &name, const QString &value, bool readOnly)
    : m_name(name)
    , m_value(value)
    , m_hasValue(true)
    , m_readOnly(readOnly)
    , m_numeric(readsAsNumber(value))
{ }

SimItem SimItem::action(const QString &name)
{
    SimItem item;
    item.m_name = name;
    return item;
}

QStringList SimItem::choices() const
{
    // Same shape the edit dialog recognises: title, then "(" options ")" at the very end.
    static const QRegularExpression choiceList(QStringLiteral("^.+\\((([^/]+/)+[^/]+)\\)$"));
    const QRegularExpressionMatch match = choiceList.match(m_name);
    if (!match.hasMatch())
        return QStringList();
    return match.captured(1).split(QLatin1Char('/'));
}

QString SimItem::text() const
{
    return m_hasValue ? m_name + QLatin1Char(':') + m_value : m_name;
}

bool SimItem::write(const QString &value)
{
    if (!accepts(value))
        return false;
    m_value = value;
    return true;
}

bool SimItem::accepts(const QString &value) const
{
    if (!m_hasValue || m_readOnly)
        return false;
    const QStringList options = choices();
    if (!options.isEmpty() && !options.contains(value))
        return false;
    if (m_numeric && !readsAsNumber(value))
        return false;
    // The echo of the new state must still fit one data answer.
    return encodeGb2312(m_name + QLatin1Char(':') + value).size() <= kMaxAnswerTextBytes;
}
