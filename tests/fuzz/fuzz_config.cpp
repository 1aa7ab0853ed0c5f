#include "config.h"
#include "dialogdirectory.h"
#include "fuzzsupport.h"
#include "languagecodes.h"
#include "settingskeys.h"

#include <QFileInfo>

// Any config.ini: the values the program takes from it stay within what it
// can use, whatever the file holds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The store reads config.ini from the working directory; the fuzzer reads
    // its corpus relative to the one it started in.
    const QString startedIn = QDir::currentPath();
    QDir::setCurrent(Fuzz::scratchDirectory());
    Fuzz::inputFile(Fuzz::bytes(data, size), SettingsKeys::kFileName);
    Config *config = singleton<Config>::instance();

    const QString code
            = LanguageCodes::normalized(config->value(SettingsKeys::kLanguage).toString());
    FUZZ_REQUIRE(code.isEmpty() || code == QLatin1String(LanguageCodes::kEnglish)
                 || code == QLatin1String(LanguageCodes::kSimplifiedChinese)
                 || code == QLatin1String(LanguageCodes::kTraditionalChinese));
    const QString catalogue = LanguageCodes::qtCatalogue(code);
    FUZZ_REQUIRE(catalogue.isEmpty() || catalogue.startsWith(QLatin1String("qt_zh_")));

    configuredPortName();
    configuredBaudRate();
    config->value(SettingsKeys::kWindowWidth).toInt();
    config->value(SettingsKeys::kWindowHeight).toInt();
    FUZZ_REQUIRE(QFileInfo(dialogStartDirectory()).isDir());

    singleton<Config>::destroyInstance();
    QDir::setCurrent(startedIn);
    return 0;
}
