#ifndef NORVO_PACKAGEWRITER_H
#define NORVO_PACKAGEWRITER_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

// One entry of a package map; entries are written in list order, a key may repeat.
using PackageEntry = QPair<QString, QVariant>;

// The device, model and version texts and the image under the keys the assistant reads.
QList<PackageEntry> packageEntries(const QString &device, const QString &model,
                                   const QString &version, const QByteArray &image);

// The map stream: entry count, then each key and value.
QByteArray packagePayload(const QList<PackageEntry> &entries);
// The sealed block: payload and digest as two byte arrays.
QByteArray sealBlock(const QByteArray &payload, const QByteArray &digest);
// The sealed block with the payload's own MD5, in Base64: what the INFO cell holds.
QByteArray packageCell(const QByteArray &payload);

// Runs statements on a new database that then takes path's place, binding
// cell to the placeholder of any statement that has one.
bool writeDatabase(const QString &path, const QStringList &statements, const QVariant &cell,
                   QString *error);
// A package file: one INFO table holding cell in its one row.
bool writePackageFile(const QString &path, const QByteArray &cell, QString *error);
// All of it, refused when the package would be too large for the assistant to read.
bool writePackage(const QString &path, const QList<PackageEntry> &entries, QString *error);

// What a package holds, a line per field, or empty with error set.
QString describePackage(const QString &path, QString *error);

#endif
