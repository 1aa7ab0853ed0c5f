#include "devicetypemgr.h"
#include "downloadthread.h"
#include "fuzzsupport.h"

#include <QUrl>

// Any bytes as an https download page, first inside more levels than a page may
// have: that one is refused whole; a page taken adds rows, each link https to a
// *.nvbin name, not hidden, that stays in the directory (as is any link's name).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QDir target(Fuzz::scratchDirectory());
    const QByteArray input = Fuzz::bytes(data, size);
    const QUrl base(QStringLiteral("https://127.0.0.1/down.html"));
    const QByteArray levels = QByteArray("<div>").repeated(DeviceTypeMgr::kMaxDepth + 1);
    DeviceTypeMgr manager;
    FUZZ_REQUIRE(
            !manager.parseCatalogue(levels + input + QByteArray(levels).replace('<', "</"), base));
    const bool taken = manager.parseCatalogue(input, base);
    FUZZ_REQUIRE(taken == !manager.catalogue().isEmpty());
    const auto packageName = [&target](const QString &name) {
        return name.endsWith(QLatin1String(".nvbin"), Qt::CaseInsensitive)
                && !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('\\'))
                && QFileInfo(target.filePath(name)).absolutePath() == target.absolutePath();
    };
    for (const QString &link : manager.catalogue())
        FUZZ_REQUIRE(link.isEmpty()
                     || (QUrl(link).scheme() == QLatin1String("https")
                         && packageName(DownloadThread::fileNameFromLink(link))));
    const QString name = DownloadThread::fileNameFromLink(QString::fromUtf8(input));
    FUZZ_REQUIRE(name.isEmpty() || packageName(name));
    return 0;
}
