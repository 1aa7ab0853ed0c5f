#include "fuzzsupport.h"
#include "skipitems.h"

// Any file as the SkipItems list: names and models come out without blanks,
// and the filter never loses or invents a row.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    const SkipTable table = loadSkipTable(Fuzz::inputFile(input, "SkipItems"));
    for (auto entry = table.cbegin(); entry != table.cend(); ++entry) {
        FUZZ_REQUIRE(!entry.key().contains(QLatin1Char(' '))
                     && entry.key() == entry.key().trimmed());
        FUZZ_REQUIRE(!entry.key().contains(QLatin1Char(',')));
        for (const QString &model : entry.value())
            FUZZ_REQUIRE(!model.contains(QLatin1Char(' ')) && !model.contains(QLatin1Char(','))
                         && model == model.trimmed());
    }

    // The lines of the file as name and model rows through the filter: every
    // row is shown once, dropped as one half of a listed pair, or still held.
    SkipFilter::reset();
    const QString nameField = QStringLiteral("设备名称");
    int shown = 0;
    int dropped = 0;
    int arrived = 0;
    bool held = false;
    const QList<QByteArray> lines = input.split('\n');
    for (const QByteArray &line : lines) {
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char(','));
        const bool nameRow = fields.size() % 2;
        QStringList row{nameRow ? nameField : QStringLiteral("设备型号")};
        row << fields.value(fields.size() > 1 ? 1 : 0);
        const SkipDecision decision = SkipFilter::decide(table, arrived++, row);
        if (decision.releasedRow) {
            FUZZ_REQUIRE(held && decision.releasedRow->list.first() == nameField);
            ++shown;
            held = false;
        }
        if (decision.appendRow) {
            ++shown;
        } else if (nameRow) {
            FUZZ_REQUIRE(!held);
            held = true;
        } else {
            FUZZ_REQUIRE(held);
            dropped += 2;
            held = false;
        }
    }
    FUZZ_REQUIRE(shown + dropped + (held ? 1 : 0) == arrived);
    SkipFilter::reset();
    return 0;
}
