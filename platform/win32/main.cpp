// Program entry on Windows: the host, the runtime and the start-up form, then the message loop
// until the form is gone.
#include <string>

#include "platform/program.h"
#include "platform/runtime.h"
#include "platform/win32/command_line.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/win32_host.h"

namespace {

// For a debugger or a soak test: what the host still held when it was gone (zero unless
// something leaked).
void ReportHandlesHeld() {
  const win32::HeldHandles held = win32::HandlesHeld();
  const std::wstring report = L"Vestrel: handles held at exit: GDI " + std::to_wstring(held.gdi) +
                              L", USER " + std::to_wstring(held.user) + L"\n";
  OutputDebugStringW(report.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR command_line, int /*show*/) {
  // --help, --version or a mistake ends here, before any window exists.
  if (const auto exit_code = win32::AnswerCommandLine(command_line)) return *exit_code;
  int exit_code = 0;
  {
    win32::Win32Host host(instance);
    forms::Runtime runtime(host);
    host.Attach(runtime);
    runtime.Start(forms::CreateStartupForm);
    exit_code = host.RunMessageLoop();
  }
  ReportHandlesHeld();
  return exit_code;
}
