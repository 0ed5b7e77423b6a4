// The display, the program's folder and the time of day.
#include "platform/win32/native_files.h"
#include "platform/win32/win32_host.h"

namespace win32 {

forms::ScreenMetrics Win32Host::Screen() {
  // Always 15 twips a pixel, the 96 dpi the program is made for. It declares itself DPI
  // unaware, so Windows shows it at 96 dpi and enlarges it on a scaled screen; a system that
  // does not (wine at a higher LogPixels) would otherwise see the window sized in smaller
  // twips than the face bitmaps and hand lengths it draws in pixels.
  forms::ScreenMetrics metrics;
  metrics.width_px = GetSystemMetrics(SM_CXSCREEN);
  metrics.height_px = GetSystemMetrics(SM_CYSCREEN);
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
