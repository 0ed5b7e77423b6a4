// The Linux program needs X11 semantics (placing, stacking and shaping its own window, window
// opacity), which Wayland does not give clients. On a Wayland desktop it runs through XWayland.
#pragma once

#include <string>

namespace qt_host {

// Makes Qt use X11 (its "xcb" platform) unless the user chose a platform, with the
// QT_QPA_PLATFORM variable or a "-platform" argument. Call before creating the application.
void PreferX11(int argc, char* argv[]);

// When Qt is to use X11: empty if the X display can be opened, else a message saying why the
// program cannot run. Empty for any other platform the user chose.
std::string X11Problem(int argc, char* argv[]);

}  // namespace qt_host
