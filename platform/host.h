// What a forms-runtime host provides: the native window, input, timers, menus, dialogs,
// files, fonts, the clock and the seven window functions. The Win32, Qt and headless hosts
// implement it; the runtime (runtime.h) is the only caller.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/raster/image.h"
#include "platform/types.h"

namespace forms {

class Runtime;

// A point in screen or window pixels.
struct PixelPoint {
  int x = 0;
  int y = 0;
};

struct ScreenMetrics {
  int width_px = 0;
  int height_px = 0;
  Single twips_per_pixel_x = 15;
  Single twips_per_pixel_y = 15;
};

// A popup menu as the host shows it: items in order, separators as caption "-".
struct PopupItem {
  std::string caption;  // UTF-8
  bool checked = false;
  bool separator = false;
};

// Pointer shapes of the window's areas.
enum class Cursor { kDefault, kPointingHand, kTarget };

// How the label is drawn over the visible surface, in window pixels.
struct LabelView {
  std::string caption;  // UTF-8
  raster::Rect box;
  std::string font_name;      // UTF-8
  int font_pixel_height = 0;  // em height in pixels
  raster::Pixel colour = 0;
};

// The result of drawing a line of text.
struct TextExtent {
  raster::Rect drawn;   // pixels touched
  int line_height = 0;  // advance to the next line
};

class Host {
 public:
  virtual ~Host() = default;

  // --- Display and program environment
  virtual ScreenMetrics Screen() = 0;
  virtual std::string AppPath() = 0;       // UTF-8, no trailing separator
  virtual int SecondsSinceMidnight() = 0;  // local time of day

  // --- The form window (pixels). The host creates it hidden when the runtime starts and
  // shows it when SetWindowPos asks for it (or when loading has finished).
  virtual void PlaceWindow(int left, int top, int width, int height) = 0;
  virtual Long WindowHandle() = 0;
  // Where the window's top-left corner is now, whoever moved it last (the program, the user or
  // the window manager); none while there is no window.
  virtual std::optional<PixelPoint> WindowOrigin() = 0;
  // Something visible changed: the surface (fetch it with Runtime::TakeSurfaceChanges) or
  // the label. Hosts repaint at their next opportunity.
  virtual void Invalidate() = 0;

  // --- Timers, identified by the runtime's index; interval 0 or not running means silent.
  // Every call restarts the period.
  virtual void SetTimer(int index, Long interval_ms, bool running) = 0;
  // A timer whose handler acts only when the local time of day, read to the second, has
  // changed, and whose interval is at most a second. Ticks within an unchanged second do
  // nothing, so a host may instead tick it just after each second boundary and at once when
  // the system time is changed or the machine resumes. Hosts that cannot keep the interval.
  virtual void SetSecondTimer(int index, Long interval_ms, bool running) {
    SetTimer(index, interval_ms, running);
  }

  // --- Modal interaction
  // Shows the popup at the pointer; the chosen item's index in `items`, or none.
  virtual std::optional<int> TrackPopupMenu(const std::vector<PopupItem>& items) = 0;
  // Message box with the information icon and OK; returns the button pressed (1 = OK).
  virtual Integer MessageBox(std::string_view prompt, Integer buttons, std::string_view title) = 0;
  // Handles every pending event, then returns.
  virtual void DoEvents() = 0;
  virtual void Sleep(Long milliseconds) = 0;

  // --- Text on the visible surface, in the surface's default font.
  virtual TextExtent DrawText(raster::Image& target, int x, int y, std::string_view text,
                              raster::Pixel colour) = 0;

  // --- Files. Paths are UTF-8 with '\' separators as the program writes them; hosts map them
  // to native paths. Failures raise run-time errors.
  virtual bool IsNormalFile(std::string_view path) = 0;
  // At most kFileReadLimit bytes (file_replace.h) of a regular file; opening never blocks and
  // anything else (a FIFO, a device, a folder) is refused.
  virtual std::string ReadFile(std::string_view path) = 0;
  // Replaces the file in one step (ReplaceFileContents of file_replace.h): an old file
  // survives any failure whole.
  virtual void WriteFile(std::string_view path, std::string_view contents) = 0;
  // Whether new files can be created in the folder.
  virtual bool IsWritableFolder(std::string_view folder) = 0;
  // The user's own folder for this program's settings (it may not exist yet).
  virtual std::string UserSettingsFolder() = 0;
  // Creates the folder and any missing folders above it; nothing when it exists.
  virtual void CreateFolders(std::string_view folder) = 0;

  // --- Window functions, with the arguments the logic passes.
  virtual Long SetWindowPos(Long hwnd, Long insert_after, Long x, Long y, Long cx, Long cy,
                            Long flags) = 0;
  virtual Long GetWindowLongA(Long hwnd, Long index) = 0;
  virtual Long SetWindowLongA(Long hwnd, Long index, Long value) = 0;
  virtual Long SetLayeredWindowAttributes(Long hwnd, Long colour_key, Byte alpha, Long flags) = 0;
  virtual Long CreateRoundRectRgn(Long x1, Long y1, Long x2, Long y2, Long width, Long height) = 0;
  virtual Long SetWindowRgn(Long hwnd, Long region, Boolean redraw) = 0;

  // --- Drawing trace: hosts that record what the program draws (the headless host) say so,
  // and the controls then describe each drawing operation.
  virtual bool tracing() const { return false; }
  virtual void Trace(std::string /*operation*/) {}

  // --- Ending the program
  // The standard run-time error message (a message box on real hosts).
  virtual void ShowFatalError(std::string_view message) = 0;
  // Closes the window and leaves the event loop with this exit code.
  virtual void Quit(int exit_code) = 0;
};

}  // namespace forms
