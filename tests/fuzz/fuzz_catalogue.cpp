#include "devicetypemgr.h"
#include "downloadthread.h"
#include "fuzzsupport.h"

#include <QUrl>

namespace {
// The input inside more levels of elements than a catalogue may have.
QByteArray nestedTooDeep(const QByteArray &input)
{
    const int levels = DeviceTypeMgr::kMaxDepth;
    return "<html><body>" + QByteArray("<div>").repeated(levels) + input
            + QByteArray("</div>").repeated(levels) + "</body></html>";
}

// A name a download may write: a *.nvbin name, not hidden, not leaving the directory.
bool packageName(const QString &name)
{
    const QDir target(Fuzz::scratchDirectory());
    return name.endsWith(QLatin1String(".nvbin"), Qt::CaseInsensitive)
            && !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/'))
            && !name.contains(QLatin1Char('\\'))
            && QFileInfo(target.filePath(name)).absolutePath() == target.absolutePath();
}
} // namespace

// Any bytes as an https download page: a page taken adds rows with names, a
// page nested deeper than the bound is refused, and every link kept is an
// https link to a *.nvbin name that does not start with '.' and stays inside
// the chosen directory.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::scratchDirectory();
    const QByteArray input = Fuzz::bytes(data, size);
    const QUrl base(QStringLiteral("https://127.0.0.1/down.html"));
    DeviceTypeMgr manager;
    const bool taken = manager.parseCatalogue(input, base);
    const QMap<QString, QString> catalogue = manager.catalogue();
    FUZZ_REQUIRE(taken == !catalogue.isEmpty());
    for (const QString &link : catalogue) {
        if (link.isEmpty())
            continue;
        FUZZ_REQUIRE(QUrl(link).scheme() == QLatin1String("https"));
        FUZZ_REQUIRE(packageName(DownloadThread::fileNameFromLink(link)));
    }
    DeviceTypeMgr deep;
    FUZZ_REQUIRE(!deep.parseCatalogue(nestedTooDeep(input), base));
    FUZZ_REQUIRE(deep.catalogue().isEmpty());
    // A link taken straight from the input is judged the same way.
    const QString name = DownloadThread::fileNameFromLink(QString::fromUtf8(input));
    FUZZ_REQUIRE(name.isEmpty() || packageName(name));
    return 0;
}
