// The forms-runtime host on Qt 6 Widgets: the clock window, its timers, menus, dialogs,
// files and the window functions mapped onto X11 through Qt.
#pragma once

#include <QFont>
#include <ctime>
#include <optional>

#include "platform/native_file_host.h"
#include "platform/qt/clock_window.h"
#include "platform/qt/termination_signals.h"
#include "platform/qt/timer_bank.h"
#include "platform/qt/window_regions.h"

namespace qt_host {

class QtHost : public forms::NativeFileHost {
 public:
  // The one window handle the logic sees; not an X window id (Qt may recreate the native
  // window).
  static constexpr forms::Long kWindowHandle = 1;

  // Needs a running QApplication. The window is created hidden.
  QtHost();
  ~QtHost() override;

  void Attach(forms::Runtime& runtime);
  // Runs the event loop until Quit (at once if it was already called); the exit code.
  // Meanwhile SIGTERM, SIGHUP and SIGINT close the window as the user would, and so does the
  // loss of the X display (the form unloads and saves, with no window to show anything in).
  int Run();

  ClockWindow& window() { return window_; }

  // --- forms::Host
  forms::ScreenMetrics Screen() override;
  std::string AppPath() override;
  int SecondsSinceMidnight() override;
  void PlaceWindow(int left, int top, int width, int height) override;
  forms::Long WindowHandle() override { return kWindowHandle; }
  std::optional<forms::PixelPoint> WindowOrigin() override;
  void Invalidate() override {
    if (!display_lost_) window_.SurfaceChanged();
  }
  void SetTimer(int index, forms::Long interval_ms, bool running) override;
  void SetSecondTimer(int index, forms::Long interval_ms, bool running) override;
  std::optional<int> TrackPopupMenu(const std::vector<forms::PopupItem>& items) override;
  forms::Integer MessageBox(std::string_view prompt, forms::Integer buttons,
                            std::string_view title) override;
  void DoEvents() override;
  void Sleep(forms::Long milliseconds) override;
  forms::TextExtent DrawText(raster::Image& target, int x, int y, std::string_view text,
                             raster::Pixel colour) override;
  forms::Long SetWindowPos(forms::Long hwnd, forms::Long insert_after, forms::Long x, forms::Long y,
                           forms::Long cx, forms::Long cy, forms::Long flags) override;
  forms::Long GetWindowLongA(forms::Long hwnd, forms::Long index) override;
  forms::Long SetWindowLongA(forms::Long hwnd, forms::Long index, forms::Long value) override;
  forms::Long SetLayeredWindowAttributes(forms::Long hwnd, forms::Long colour_key,
                                         forms::Byte alpha, forms::Long flags) override;
  forms::Long CreateRoundRectRgn(forms::Long x1, forms::Long y1, forms::Long x2, forms::Long y2,
                                 forms::Long width, forms::Long height) override;
  forms::Long SetWindowRgn(forms::Long hwnd, forms::Long region, forms::Boolean redraw) override;
  void ShowFatalError(std::string_view message) override;
  void Quit(int exit_code) override;

 private:
  void ApplyOpacity();
  // Registered with atexit: Qt ends the program with exit() from inside the event loop when
  // the X connection breaks.
  static void UnloadAfterDisplayLoss();

  forms::Runtime* runtime_ = nullptr;
  ClockWindow window_;
  TimerBank timers_;
  WindowRegions regions_;
  forms::Long extended_style_ = 0;
  int alpha_ = 255;
  std::optional<QFont> text_font_;
  std::optional<int> quit_code_;
  bool display_lost_ = false;
  std::time_t zone_checked_at_ = -1;  // the second of the last look at the time zone
};

}  // namespace qt_host
