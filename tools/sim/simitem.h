#ifndef NORVO_SIMITEM_H
#define NORVO_SIMITEM_H

#include <QString>

// One configuration item of the simulated instrument and the values it accepts.
// One length byte in the data answer bounds an item's name and value.
constexpr int kMaxAnswerTextBytes = 255;

class SimItem
{
public:
    SimItem() = default;
    // An item with a value; numeric when the initial value reads as a number.
    SimItem(const QString &name, const QString &value, bool readOnly = false);
    // An action item: a name without a value.
    static SimItem action(const QString &name);

    const QString &name() const { return m_name; }
    const QString &value() const { return m_value; }
    bool hasValue() const { return m_hasValue; }

    // The text the instrument answers with: "name:value", or the name alone.
    QString text() const;

    // Stores value when the item takes it; a refused value leaves the item as it was.
    bool write(const QString &value);
    void setValue(const QString &value) { m_value = value; }

private:
    bool accepts(const QString &value) const;

    QString m_name;
    QString m_value;
    bool m_hasValue = false;
    bool m_readOnly = false;
    bool m_numeric = false;
};

#endif
