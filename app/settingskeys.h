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
// Lines the device monitor keeps in its view; the oldest go first.
constexpr char kMonitorMaxLines[] = "monitor/maxlines";
} // namespace SettingsKeys

#endif
