#ifndef NORVO_GUIRESOURCES_H
#define NORVO_GUIRESOURCES_H

// Window icons among the images compiled into the GUI library; the forms name
// their tool-bar images themselves.
namespace GuiResources {
constexpr char kConfigureIcon[] = ":/image/configure.png";
constexpr char kSetupIcon[] = ":/image/setup.png";
constexpr char kAboutIcon[] = ":/image/about.png";
constexpr char kRefreshIcon[] = ":/image/refresh.png";
constexpr char kDebugIcon[] = ":/image/debug.png";
constexpr char kUpdateIcon[] = ":/image/update.png";
constexpr char kMonitorIcon[] = ":/image/monitor.png";
} // namespace GuiResources

// Registers the images compiled into the static GUI library (":/image/…").
// Static libraries drop unreferenced resource objects, so the program and the
// GUI tests call this once before building any window.
void initGuiResources();

#endif
