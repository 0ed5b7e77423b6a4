// The Linux program: the clock's logic on the Qt host.
#include <QApplication>

#include "platform/program.h"
#include "platform/qt/qt_host.h"
#include "platform/runtime.h"

int main(int argc, char* argv[]) {
  // The X resource name and class the window manager and scripts know the window by,
  // whatever the executable file is called.
  if (qEnvironmentVariableIsEmpty("RESOURCE_NAME")) qputenv("RESOURCE_NAME", "vestrel");
  // Qt's own event dispatcher costs less per timer tick than the GLib one.
  if (qEnvironmentVariableIsEmpty("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
  // A 170 x 174 picture goes to the X server faster as a plain image request than through a
  // shared-memory segment, whose completion event wakes the program a second time per frame.
  if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
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
