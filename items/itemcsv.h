#ifndef NORVO_ITEMCSV_H
#define NORVO_ITEMCSV_H

#include <QString>
#include <QStringList>
#include <QVector>

// The display texts of one tree row as the export reads them.
struct ItemRowText
{
    int item = 0;    // the instrument's item number (column 0, Qt::UserRole)
    QString column0; // row number, ". ", name
    QString column1; // ": " and the value, empty for an action item
};

// One item read from a file: its number and the fields for the tree (name,
// and the value unless it is an action item).
struct ItemRecord
{
    int item = 0;
    QStringList fields;
};

// One line of the item file, without its line end: "NN. name, value".
QString itemFileLine(const ItemRowText &row);

// Parses one line of the item file; false when it does not match or its item
// number does not fit the write frame. A line with nothing after its last
// comma is an action item.
bool parseItemFileLine(const QString &line, ItemRecord *record);

// Writes the rows to fileName: a UTF-8 byte-order mark, then one UTF-8 line
// per row. Returns a translated error text, empty on success; on failure an
// older file of that name stays as it was.
QString exportItemFile(const QString &fileName, const QVector<ItemRowText> &rows);

// Reads every line of fileName. On success returns an empty text and the
// records in file order; on any failure returns the translated error text and
// no records, so the caller never shows part of a broken file.
QString importItemFile(const QString &fileName, QVector<ItemRecord> *records);

#endif
