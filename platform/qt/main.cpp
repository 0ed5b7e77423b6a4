// The Linux program: the clock's logic on the Qt host.
#include <malloc.h>

#include <QApplication>
#include <csignal>
#include <cstdio>

#include "platform/program.h"
#include "platform/qt/command_line.h"
#include "platform/qt/font_warm_up.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/x11_session.h"
#include "platform/runtime.h"

int main(int argc, char* argv[]) {
  // --help, --version or a mistake ends here, before Qt looks at the arguments.
  if (const auto exit_code = qt_host::AnswerCommandLine(argc, argv)) return *exit_code;
  // The X resource name and class the window manager and scripts know the window by,
  // whatever the executable file is called.
  if (qEnvironmentVariableIsEmpty("RESOURCE_NAME")) qputenv("RESOURCE_NAME", "vestrel");
  // Qt's own event dispatcher costs less per timer tick than the GLib one.
  if (qEnvironmentVariableIsEmpty("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
  // X11 even in a Wayland session (through XWayland), and one plain message without it
  // rather than Qt's abort.
  qt_host::PreferX11(argc, argv);
  if (const std::string problem = qt_host::X11Problem(argc, argv); !problem.empty()) {
    std::fprintf(stderr, "vestrel: %s\n", problem.c_str());
    return 1;
  }
  // A 170 x 174 picture goes to the X server faster as a plain image request than through a
  // shared-memory segment, whose completion event wakes the program a second time per frame.
  if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  // Nothing in the program takes typed text: no input method plugin (Qt's default loads one).
  if (!qEnvironmentVariableIsSet("QT_IM_MODULE")) qputenv("QT_IM_MODULE", "none");
  // One malloc arena: the helper threads allocate little, and an arena of their own would keep
  // its free pages (and the font configuration read at start) apart from the program's.
  if (qEnvironmentVariableIsEmpty("MALLOC_ARENA_MAX") &&
      !qgetenv("GLIBC_TUNABLES").contains("arena_max")) {
    mallopt(M_ARENA_MAX, 1);
  }
  // Under a file size limit (ulimit -f) a write then fails with EFBIG instead of killing the
  // program half way through saving: the failure is reported and the last settings stay.
  std::signal(SIGXFSZ, SIG_IGN);
  // No desktop platform theme: on GTK desktops Qt would load GTK 3 for one (some 14 MB more
  // memory and a slower start) only to restyle the popup menu and the message boxes, which
  // Qt's own look serves. A theme named in QT_QPA_PLATFORMTHEME is still loaded.
  QGuiApplication::setDesktopSettingsAware(false);
  qt_host::StartFontConfigWarmUp();
  QCoreApplication::setApplicationName(QStringLiteral("vestrel"));
  QApplication app(argc, argv);
  // The program ends when its form unloads, not when its last window closes.
  QApplication::setQuitOnLastWindowClosed(false);

  qt_host::QtHost host;
  forms::Runtime runtime(host);
  host.Attach(runtime);
  runtime.Start(forms::CreateStartupForm);
  return host.Run();
}
