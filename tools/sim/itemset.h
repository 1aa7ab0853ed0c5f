#ifndef NORVO_ITEMSET_H
#define NORVO_ITEMSET_H

#include "simitem.h"

#include <QList>
#include <QString>

// The ordered configuration items an instrument offers, built in or loaded from an item file.
class ItemSet
{
public:
    // Item numbers travel in one byte and 255 switches the debug output.
    static constexpr int kMaxItems = 255;

    // The items of a small flow meter; used when no item file is given.
    static ItemSet builtIn();

    // Parses item-file text; on failure error receives "line N: reason" and out is untouched.
    static bool parse(const QString &text, ItemSet *out, QString *error);
    // Reads a UTF-8 item file; error texts name the file.
    static bool load(const QString &path, ItemSet *out, QString *error);

    int count() const { return m_items.size(); }
    bool contains(int index) const { return index >= 0 && index < m_items.size(); }
    const SimItem &at(int index) const { return m_items.at(index); }
    SimItem &operator[](int index) { return m_items[index]; }
    void append(const SimItem &item) { m_items.append(item); }

    // Index of the first item with that name, or -1.
    int indexOf(const QString &name) const;

private:
    QList<SimItem> m_items;
};

#endif
