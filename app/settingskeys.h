#ifndef NORVO_SETTINGSKEYS_H
#define NORVO_SETTINGSKEYS_H

// Every key of config.ini, in one place.
namespace SettingsKeys {
constexpr char kFileName[] = "config.ini";
constexpr char kSerialPort[] = "serial/port";
constexpr char kSerialBaudRate[] = "serial/baudrate";
constexpr char kWindowWidth[] = "window/width";
constexpr char kWindowHeight[] = "window/height";
constexpr char kLanguage[] = "language/language";
constexpr char kDialogDirectory[] = "files/directory"; // where the last file dialog ended
// true: erase and page exchanges end as soon as the expected answer's length has arrived,
// the identification as soon as its frame is whole, and the closing requests are not
// waited on (the update dialog's 快速烧写 box).
constexpr char kFirmwareFastCompletion[] = "firmware/fastcompletion";
// The maker's download server; the catalogue page is its /down.html.
constexpr char kDownloadBaseUrl[] = "download/baseurl";
// false: accept any certificate on https links (a maker's server with its own certificate).
constexpr char kDownloadCheckCertificates[] = "download/checkcertificates";
// A fetch or download gives up when less than 1 KiB arrives in this many seconds.
constexpr char kDownloadTimeout[] = "download/timeout";
// MiB a downloaded package may have, announced or received; larger ones are refused.
constexpr char kDownloadMaxSize[] = "download/maxsize";
// Lines the device monitor keeps in its view; the oldest go first.
constexpr char kMonitorMaxLines[] = "monitor/maxlines";
} // namespace SettingsKeys

#endif
