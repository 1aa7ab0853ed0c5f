#include "devicetypemgr.h"
#include "downloadthread.h"
#include "fuzzsupport.h"

#include <QUrl>

// Any bytes as the maker's download page: a page taken adds rows with names,
// and every link's file name is either refused or a plain name that stays
// inside the chosen directory.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::scratchDirectory();
    DeviceTypeMgr manager;
    const bool taken = manager.parseCatalogue(Fuzz::bytes(data, size),
                                              QUrl(QStringLiteral("http://127.0.0.1/down.html")));
    const QMap<QString, QString> catalogue = manager.catalogue();
    FUZZ_REQUIRE(taken == !catalogue.isEmpty());
    for (auto row = catalogue.cbegin(); row != catalogue.cend(); ++row) {
        const QString name = DownloadThread::fileNameFromLink(row.value());
        if (name.isEmpty())
            continue;
        FUZZ_REQUIRE(name != QLatin1String(".") && name != QLatin1String(".."));
        FUZZ_REQUIRE(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')));
        const QDir target(Fuzz::scratchDirectory());
        FUZZ_REQUIRE(QFileInfo(target.filePath(name)).absolutePath() == target.absolutePath());
    }
    // A link taken straight from the input is judged the same way.
    const QString name
            = DownloadThread::fileNameFromLink(QString::fromUtf8(Fuzz::bytes(data, size)));
    FUZZ_REQUIRE(name.isEmpty()
                 || (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
                     && name != QLatin1String(".") && name != QLatin1String("..")));
    return 0;
}
