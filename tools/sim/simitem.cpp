#include "simitem.h"

#include "choicelist.h"
#include "commandset.h"

namespace {

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
    // The same choice lists the edit dialog offers.
    const QStringList options = parseChoiceList(m_name).options;
    if (!options.isEmpty() && !options.contains(value))
        return false;
    if (m_numeric && !readsAsNumber(value))
        return false;
    // The echo of the new state must still fit one data answer.
    return encodeGb2312(m_name + QLatin1Char(':') + value).size() <= kMaxAnswerTextBytes;
}
