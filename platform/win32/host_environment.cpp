// The display, the program's folder and the time of day.
#include "platform/win32/native_files.h"
#include "platform/win32/win32_host.h"

namespace win32 {

forms::ScreenMetrics Win32Host::Screen() {
  forms::ScreenMetrics metrics;
  metrics.width_px = GetSystemMetrics(SM_CXSCREEN);
  metrics.height_px = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  constexpr forms::Single kTwipsPerInch = forms::kTwipsPerInch;
  if (dpi_x > 0) metrics.twips_per_pixel_x = kTwipsPerInch / static_cast<forms::Single>(dpi_x);
  if (dpi_y > 0) metrics.twips_per_pixel_y = kTwipsPerInch / static_cast<forms::Single>(dpi_y);
  return metrics;
}

std::string Win32Host::AppPath() {
  return ExecutableFolder();
}

int Win32Host::SecondsSinceMidnight() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return (now.wHour * 60 + now.wMinute) * 60 + now.wSecond;
}

}  // namespace win32
