// The Windows host of the forms runtime: one borderless popup window painted from the
// runtime's surface, its mouse input, timers, popup menu, message boxes and files, and the
// seven window functions passed straight to user32 and gdi32.
#pragma once

#include "platform/win32/windows_api.h"

#include <set>
#include <vector>

#include "platform/native_file_host.h"
#include "platform/win32/native_files.h"
#include "platform/win32/text_renderer.h"
#include "platform/win32/window_painter.h"

namespace win32 {

using forms::Boolean;
using forms::Byte;
using forms::Integer;
using forms::Long;

class Win32Host : public forms::NativeFileHost {
 public:
  explicit Win32Host(HINSTANCE instance);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  void Attach(forms::Runtime& runtime) { runtime_ = &runtime; }
  // Handles messages until Quit; returns the exit code.
  int RunMessageLoop();

  // --- forms::Host
  forms::ScreenMetrics Screen() override;
  std::string AppPath() override;
  int SecondsSinceMidnight() override;
  void PlaceWindow(int left, int top, int width, int height) override;
  Long WindowHandle() override;
  std::optional<forms::PixelPoint> WindowOrigin() override;
  void Invalidate() override;
  void SetTimer(int index, Long interval_ms, bool running) override;
  void SetSecondTimer(int index, Long interval_ms, bool running) override;
  std::optional<int> TrackPopupMenu(const std::vector<forms::PopupItem>& items) override;
  Integer MessageBox(std::string_view prompt, Integer buttons, std::string_view title) override;
  void DoEvents() override;
  void Sleep(Long milliseconds) override;
  forms::TextExtent DrawText(raster::Image& target, int x, int y, std::string_view text,
                             raster::Pixel colour) override;
  Long SetWindowPos(Long hwnd, Long insert_after, Long x, Long y, Long cx, Long cy,
                    Long flags) override;
  Long GetWindowLongA(Long hwnd, Long index) override;
  Long SetWindowLongA(Long hwnd, Long index, Long value) override;
  Long SetLayeredWindowAttributes(Long hwnd, Long colour_key, Byte alpha, Long flags) override;
  Long CreateRoundRectRgn(Long x1, Long y1, Long x2, Long y2, Long width, Long height) override;
  Long SetWindowRgn(Long hwnd, Long region, Boolean redraw) override;
  void ShowFatalError(std::string_view message) override;
  void Quit(int exit_code) override;

 private:
  // Posted to show the clock window after the handler that asked for it (SetWindowPos).
  static constexpr UINT kShowWhenIdle = WM_APP + 1;

  struct TimerState {
    Long interval = 0;
    bool running = false;
    bool on_second = false;  // wakes just after each second boundary instead
  };

  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateFormWindow(int left, int top, int width, int height);
  void ArmTimer(int index);
  // The system clock was set or the machine resumed: timers that follow the second tick now.
  void ClockChanged();
  bool HasForm() const;
  void OnPaint();
  void OnButtonDown(Integer button, WPARAM wparam, LPARAM lparam);
  void OnButtonUp(Integer button, WPARAM wparam, LPARAM lparam);
  bool OnSetCursor(LPARAM lparam);
  void OnMenuKey();
  // Deletes the regions no window took: they are still the host's.
  void ReleaseLooseRegions();

  HINSTANCE instance_;
  ATOM window_class_ = 0;
  HWND hwnd_ = nullptr;
  forms::Runtime* runtime_ = nullptr;
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  HCURSOR hand_cursor_ = nullptr;
  HCURSOR target_cursor_ = nullptr;
  HCURSOR default_cursor_ = nullptr;
  std::vector<TimerState> timers_;
  // Regions the program created and has not yet given to a window, by the Long the program
  // holds: the native handle may differ from the one the Long widens back to (its upper bits
  // zero where the Long is negative).
  std::set<Long> loose_regions_;
  raster::Rect label_extent_;        // where the label was last drawn
  bool menu_from_keyboard_ = false;  // the popup menu opens at the window's centre
  WindowPainter painter_;
  TextRenderer text_;
  int exit_code_ = 0;
};

}  // namespace win32
