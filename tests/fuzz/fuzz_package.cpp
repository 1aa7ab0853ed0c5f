#include "ddbserver.h"
#include "fuzzsupport.h"
#include "packagewriter.h"

namespace {
enum Mode { SealedCell, WholeFile, RoundTrip, ModeCount };

// The five messages a package can end in, in their untranslated form.
bool knownFailure(const QString &error)
{
    return error.startsWith(QStringLiteral("解析文件失败,"));
}
} // namespace

// Any bytes as a package, three ways: as the INFO cell's sealed text, as a
// whole package file, and as the fields of a package our own tool writes,
// which must read back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input = Fuzz::bytes(data + 1, size - 1);
    switch (data[0] % ModeCount) {
    case SealedCell: {
        PackageContent content;
        const QString error = unsealPackageCell(input, &content);
        FUZZ_REQUIRE(error.isEmpty() || (knownFailure(error) && content.isEmpty()));
        FUZZ_REQUIRE(quint32(content.size()) <= DDbServer::kMaxEntries);
        // The same bytes as a payload, sealed properly: always opens.
        FUZZ_REQUIRE(unsealPackageCell(packageCell(input), &content).isEmpty());
        break;
    }
    case WholeFile: {
        DEncryptInfo info(Fuzz::inputFile(input, "whole.nvbin"));
        const QString error = DDbServer().parsePackage(info);
        FUZZ_REQUIRE(error.isEmpty() || (knownFailure(error) && info.content.isEmpty()));
        break;
    }
    case RoundTrip: {
        const QList<QByteArray> parts = input.split('\0');
        const QString device = QString::fromUtf8(parts.value(0));
        const QString model = QString::fromUtf8(parts.value(1));
        const QString version = QString::fromUtf8(parts.value(2));
        const QByteArray image = input.mid(input.indexOf('\0', 0) + 1);
        const QString path = QDir(Fuzz::scratchDirectory()).filePath(QStringLiteral("trip.nvbin"));
        QString error;
        FUZZ_REQUIRE(writePackage(path, packageEntries(device, model, version, image), &error));
        DEncryptInfo info(path);
        FUZZ_REQUIRE(DDbServer().parsePackage(info).isEmpty());
        FUZZ_REQUIRE(info.device() == device && info.model() == model);
        FUZZ_REQUIRE(info.version() == version && info.image() == image);
        break;
    }
    }
    return 0;
}
