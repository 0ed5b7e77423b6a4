// VestrelHostChecks.exe: checks of the Win32 host's own parts, run under wine by
// tests/platform/win32/host_checks.sh from a folder with a Japanese name. Prints every failure
// and exits with 1 if there was one.
#include <cstdio>

#include "platform/win32/gdi_objects.h"
#include "tests/platform/win32/checks/check.h"

int wmain() {
  checks::CheckFiles();
  checks::CheckHostWindow();
  // Everything the host created is gone with it.
  const win32::HeldHandles held = win32::HandlesHeld();
  CHECK(held.gdi == 0 && held.user == 0);
  const int failures = checks::Failures();
  std::printf("host checks %s: %d failure(s)\n", failures == 0 ? "passed" : "FAILED", failures);
  return failures == 0 ? 0 : 1;
}
