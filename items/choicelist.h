#ifndef NORVO_CHOICELIST_H
#define NORVO_CHOICELIST_H

#include <QString>
#include <QStringList>

// An item name split into the title shown to the user and its choice options.
struct ChoiceList
{
    bool isChoiceList = false;
    QString title;       // capture 1 for a choice list, otherwise the whole name
    QStringList options; // in the order the name lists them; empty when not a choice list
};

// Recognises "title(option/option/...)" at the very end of an item name.
ChoiceList parseChoiceList(const QString &name);

// The option the editor starts on: the last option contained in value, except
// that an option equal to the whole value, once chosen, stays chosen. Empty
// when value contains no option.
QString preselectedChoice(const QStringList &options, const QString &value);

// The texts of one tree row prepared for editing.
struct ItemEditTexts
{
    QString name;          // without the row number, trimmed
    QString value;         // without the leading ':', trimmed
    bool isAction = false; // the row had no value text at all
};

// Turns a row's column-0 and column-1 display texts into the name and value
// the edit step shows.
ItemEditTexts prepareItemEdit(const QString &nameText, const QString &valueText);

#endif
