#include "ddbserver.h"
#include "fuzzsupport.h"
#include "packagewriter.h"

// One allocation past a cell at the limit held as UTF-16 text (2 x 64 MiB, and
// some) is a finding.
extern "C" const char *__asan_default_options()
{
    return "max_allocation_size_mb=144";
}

namespace {
// INFO columns: names, then kinds that take the cell, are stored, or are
// computed when read (only these grow far past the limit, never being written).
const char *const kNames[] = {"DATA", "a]\"b[", "[x]", "x y", "rowid", "数据"};
const char *const kKinds[] = {"text", "blob", "DEFAULT (zeroblob(%1))",
                              "AS (printf('%.*c', %1, 'x')) STORED", "AS (zeroblob(%1))"};
const qint64 kSizes[] = {0, 999, DDbServer::kMaxCellBytes + 1, 900000000};

// Up to four columns, maybe virtual, a table or view beside, 0-2 rows with a
// package our own tool seals in the first column (a computed one refuses
// it); true when that must read: one row of stored columns.
bool writeOddPackage(const QString &path, const quint8 *in, const QVariantList &fields)
{
    const QByteArray cell = packageCell(
            packagePayload(packageEntries(fields[0].toString(), fields[1].toString(),
                                          fields[2].toString(), fields[3].toByteArray())));
    QStringList names, columns,
            sql{in[0] / 18 % 2 ? "create table OTHER (x)" : "create view OTHER as select 1"};
    bool plain = in[0] / 9 % 2 == 0 && in[0] / 3 % 3 == 1;
    for (int i = 0; i <= in[1] % 4; ++i) {
        const int kind = in[2 + i] / 6 % 5,
                  size = qMin(kSizes[in[2 + i] / 30 % 4], kSizes[kind / 2 + 1]);
        names << QStringLiteral("\"%1\"").arg(QString(kNames[in[2 + i] % 6]).replace("\"", "\"\""));
        columns << names.last() + ' ' + QString(kKinds[kind]).replace("%1", QString::number(size));
        plain = plain && kind < 3;
    }
    sql << (in[0] / 9 % 2 ? "create virtual table INFO using fts4(" + names.join(',') + ')'
                          : "create table INFO (" + columns.join(',') + ')');
    for (int row = 0; row < in[0] / 3 % 3; ++row)
        sql << "insert into INFO (" + names.first() + ") values (?)";
    QString error;
    QFile::remove(path);
    return writeDatabase(path, sql, QString(cell), &error) && plain;
}
} // namespace

// Any bytes as the INFO cell's sealed text or as a whole package file, and as
// the choices of an odd schema around a package our own tool seals, which
// reads back unchanged exactly when the schema is a plain one.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = Fuzz::bytes(data, size).leftJustified(6, '\0');
    const auto *choice = reinterpret_cast<const quint8 *>(in.constData());
    const QList<QByteArray> f = in.mid(6).split('\0');
    const QVariantList sealed{QString(f.value(0)), QString(f.value(1)), QString(f.value(2)),
                              f.value(3)};
    DEncryptInfo info(Fuzz::inputFile(in.mid(1), "whole.nvbin"));
    const bool mustRead = *choice % 3 == 2 && writeOddPackage(info.filePath, choice, sealed);
    const QString error = *choice % 3 == 0 ? unsealPackageCell(in.mid(1), &info.content)
                                           : DDbServer().parsePackage(info);
    FUZZ_REQUIRE(error.isEmpty() || (error.startsWith("解析文件失败,") && info.content.isEmpty()));
    FUZZ_REQUIRE(quint32(info.content.size()) <= DDbServer::kMaxEntries);
    const QVariantList read{info.device(), info.model(), info.version(), info.image()};
    FUZZ_REQUIRE(*choice % 3 != 2
                 || (mustRead == error.isEmpty() && (!mustRead || read == sealed)));
    return 0;
}
