#include "platform/qt/x11_session.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QtGlobal>
#include <string_view>

namespace qt_host {
namespace {

// The platform named by a "-platform NAME" argument (Qt reads it too); empty without one.
std::string_view PlatformArgument(int argc, char* argv[]) {
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-platform" || argument == "--platform") return argv[i + 1];
  }
  return {};
}

}  // namespace

void PreferX11(int argc, char* argv[]) {
  if (!PlatformArgument(argc, argv).empty() || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    return;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
}

std::string X11Problem(int argc, char* argv[]) {
  std::string platform(PlatformArgument(argc, argv));
  if (platform.empty()) platform = qgetenv("QT_QPA_PLATFORM").toStdString();
  // Qt's platform names may carry options after a colon ("xcb:...").
  if (platform.substr(0, platform.find(':')) != "xcb") return {};
  const QByteArray display = qgetenv("DISPLAY");
  xcb_connection_t* connection =
      xcb_connect(display.isEmpty() ? nullptr : display.constData(), nullptr);
  const bool reached = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  if (reached) return {};
  const std::string where = display.isEmpty()
                                ? std::string("no X display is set (DISPLAY)")
                                : "cannot open the X display \"" + display.toStdString() + "\"";
  return "Vestrel needs X11 or XWayland: " + where +
         ". Start it in an X11 session, or with XWayland on a Wayland desktop.";
}

}  // namespace qt_host
