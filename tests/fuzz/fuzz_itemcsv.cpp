#include "fuzzsupport.h"
#include "itemcsv.h"

#include <QStringView>

namespace {
bool representable(const QStringList &fields)
{
    for (const QString &field : fields) {
        if (!QStringView(field).isValidUtf16())
            return false;
    }
    return true;
}
} // namespace

// Any file as an item file: what imports has numbers that fit the write
// frame, and exporting it the way the tree shows it imports back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::scratchDirectory();
    // Every line on its own first: cheap, so the fuzzer gets far in little time.
    for (const QByteArray &line : Fuzz::bytes(data, size).split('\n')) {
        ItemRecord record;
        if (parseItemFileLine(QString::fromUtf8(line), &record)) {
            FUZZ_REQUIRE(record.item >= 0 && record.item <= 255);
            FUZZ_REQUIRE(record.fields.size() == 1 || record.fields.size() == 2);
        }
    }

    QVector<ItemRecord> records;
    if (!importItemFile(Fuzz::inputFile(Fuzz::bytes(data, size), "import.csv"), &records)
                 .isEmpty()) {
        FUZZ_REQUIRE(records.isEmpty());
        return 0;
    }
    QVector<ItemRowText> rows;
    QVector<ItemRecord> expected;
    for (const ItemRecord &record : qAsConst(records)) {
        FUZZ_REQUIRE(record.item >= 0 && record.item <= 255);
        FUZZ_REQUIRE(record.fields.size() == 1 || record.fields.size() == 2);
        if (!representable(record.fields))
            continue; // text UTF-8 cannot carry does not come back as it was
        const QString rowNumber
                = QString::number(rows.size() + 1).rightJustified(2, QLatin1Char('0'));
        rows.append({record.item, rowNumber + QStringLiteral(". ") + record.fields.first(),
                     record.fields.size() > 1 ? QStringLiteral(": ") + record.fields.at(1)
                                              : QString()});
        expected.append(record);
    }
    const QString exported = QDir(Fuzz::scratchDirectory()).filePath(QStringLiteral("export.csv"));
    FUZZ_REQUIRE(exportItemFile(exported, rows).isEmpty());
    QVector<ItemRecord> again;
    FUZZ_REQUIRE(importItemFile(exported, &again).isEmpty());
    FUZZ_REQUIRE(again.size() == expected.size());
    for (int i = 0; i < again.size(); ++i) {
        FUZZ_REQUIRE(again.at(i).item == expected.at(i).item);
        FUZZ_REQUIRE(again.at(i).fields == expected.at(i).fields);
    }
    return 0;
}
