#include "fuzzsupport.h"
#include "historytable.h"
#include "historytablelayout.h"
#include "historytextdecoder.h"

#include <QTextCodec>

namespace {
// The PDF writer's A4 page at its own resolution and a 10-point font; the
// text decides the rest.
constexpr int kPageWidth = 9917;
constexpr int kPageHeight = 14033;
constexpr int kFontHeight = 200;
constexpr int kStampWidth = 1900;
} // namespace

// Any answer bytes as history text: chunked decoding gives the whole text,
// every line fits the table's columns, and every line lands in exactly one
// row of one page.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::scratchDirectory();
    const QByteArray answer = Fuzz::bytes(data, size);
    const int cut = size > 0 ? data[0] % (answer.size() + 1) : 0;
    HistoryTextDecoder decoder;
    const QString text
            = decoder.decode(answer.left(cut)) + decoder.decode(answer.mid(cut)) + decoder.finish();
    FUZZ_REQUIRE(text == QTextCodec::codecForName("gb2312")->toUnicode(answer));

    const int columns = columnCount(text);
    const QStringList lines = textLines(text);
    for (const QString &line : lines) {
        const QStringList fields = splitFields(line);
        const QStringList cells = rowCells(line, columns);
        FUZZ_REQUIRE(cells.size() == qMin(fields.size(), qMax(columns, 1)));
        FUZZ_REQUIRE(cells.join(QLatin1Char(' ')) == fields.join(QLatin1Char(' ')));
    }

    const HistoryTableLayout layout(kPageWidth, kPageHeight, kFontHeight, kStampWidth, columns,
                                    lines.size());
    FUZZ_REQUIRE(layout.rowsPerPage() >= 1 && layout.pages() >= 1);
    FUZZ_REQUIRE(layout.pages() * layout.rowsPerPage() >= lines.size());
    FUZZ_REQUIRE(lines.isEmpty() || (layout.pages() - 1) * layout.rowsPerPage() < lines.size());
    FUZZ_REQUIRE(layout.lineIndex(0, 0) == 0);
    FUZZ_REQUIRE(layout.rowTop(layout.rowsPerPage()) <= kPageHeight);
    for (int column = 0; column < layout.columns(); ++column)
        FUZZ_REQUIRE(layout.columnLeft(column) <= layout.columnLeft(column + 1));
    FUZZ_REQUIRE(layout.columnLeft(layout.columns()) <= layout.right());
    return 0;
}
