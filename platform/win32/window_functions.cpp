// The seven window functions of the program, passed to user32, gdi32 and kernel32 with the
// arguments the program gives. Handles travel as 32-bit Longs: widened by sign extension,
// returned by truncation.
#include "platform/win32/gdi_objects.h"
#include "platform/win32/win32_host.h"

namespace win32 {
namespace {

HWND ToWindow(Long value) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(value));
}
HRGN ToRegion(Long value) {
  return reinterpret_cast<HRGN>(static_cast<INT_PTR>(value));
}
Long ToLong(const void* handle) {
  return static_cast<Long>(reinterpret_cast<INT_PTR>(handle));
}

}  // namespace

Long Win32Host::SetWindowPos(Long hwnd, Long insert_after, Long x, Long y, Long cx, Long cy,
                             Long flags) {
  HWND window = ToWindow(hwnd);
  auto how = static_cast<UINT>(flags);
  // The clock window is shown once the handler that asks for it has returned: the program
  // shapes the window and sets its transparency after showing it, and a window shown before
  // that would flash up as an opaque rectangle.
  if ((how & SWP_SHOWWINDOW) && hwnd == ToLong(hwnd_) && !IsWindowVisible(hwnd_)) {
    how &= ~SWP_SHOWWINDOW;
    PostMessageW(hwnd_, kShowWhenIdle, 0, 0);
  }
  return ::SetWindowPos(window, ToWindow(insert_after), x, y, cx, cy, how);
}

Long Win32Host::GetWindowLongA(Long hwnd, Long index) {
  return ::GetWindowLongA(ToWindow(hwnd), index);
}

Long Win32Host::SetWindowLongA(Long hwnd, Long index, Long value) {
  return ::SetWindowLongA(ToWindow(hwnd), index, value);
}

Long Win32Host::SetLayeredWindowAttributes(Long hwnd, Long colour_key, Byte alpha, Long flags) {
  return ::SetLayeredWindowAttributes(ToWindow(hwnd), static_cast<COLORREF>(colour_key), alpha,
                                      static_cast<DWORD>(flags));
}

Long Win32Host::CreateRoundRectRgn(Long x1, Long y1, Long x2, Long y2, Long width, Long height) {
  HRGN region = ::CreateRoundRectRgn(x1, y1, x2, y2, width, height);
  const Long handle = ToLong(region);
  if (region != nullptr) {
    NoteGdiCreated(region);
    loose_regions_.insert(handle);
  }
  return handle;
}

Long Win32Host::SetWindowRgn(Long hwnd, Long region, Boolean redraw) {
  const int result = ::SetWindowRgn(ToWindow(hwnd), ToRegion(region), redraw != 0 ? TRUE : FALSE);
  // From here on the system owns the region and deletes it with the window or when another
  // region replaces it.
  if (result != 0 && loose_regions_.erase(region) != 0) NoteGdiReleased();
  return result;
}

void Win32Host::ReleaseLooseRegions() {
  for (const Long region : loose_regions_) {
    DeleteObject(ToRegion(region));
    NoteGdiReleased();
  }
  loose_regions_.clear();
}

}  // namespace win32
