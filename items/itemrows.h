#ifndef NORVO_ITEMROWS_H
#define NORVO_ITEMROWS_H

#include "itemcsv.h"
#include "skipitems.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What a row's value column shows for a value: ": " and the value, trimmed.
QString itemValueText(const QString &value);

// The display texts of an item shown as the list's rowNumber-th row (from 1):
// the row number (at least two digits), ". " and the name; ": " and the value
// for an item with a value, nothing for an action item.
ItemRowText itemRowText(int rowNumber, int index, const QStringList &list);

// The rows an arriving item adds to the list, in order, once the SkipItems
// filter has seen it: none while a device-name row waits for its model row,
// the held row before the arriving one when the pair is not listed.
QVector<ItemRow> rowsToShow(const SkipTable &table, int index, const QStringList &list);

// Adds an arriving item to rows as the list would show it: after the
// SkipItems filter, numbered on from the rows already there.
void appendItemRows(QVector<ItemRowText> &rows, const SkipTable &table, int index,
                    const QStringList &list);

// Ends the list in rows: a row the SkipItems filter still holds is shown last.
void endItemRows(QVector<ItemRowText> &rows);

#endif
