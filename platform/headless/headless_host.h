// An in-memory host for tests and benchmarks: a virtual clock that fires timers as it is
// advanced, scripted mouse, menu and close events, virtual files, and a log of every native
// call and drawing operation.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/host.h"

namespace headless {

using forms::Boolean;
using forms::Byte;
using forms::Integer;
using forms::Long;

class HeadlessHost : public forms::Host {
 public:
  static constexpr Long kWindowHandle = 0x1001;
  static constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;

  HeadlessHost();

  void Attach(forms::Runtime& runtime) { runtime_ = &runtime; }

  // --- Set-up
  forms::ScreenMetrics screen{1920, 1080, 15, 15};
  std::string app_path = "C:\\Vestrel";
  // Files by path as the program names them; paths in `unreadable` or `unwritable` fail.
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;
  std::set<std::string> unwritable;
  // Folders in which no file can be created (an installed copy's folder).
  std::set<std::string> read_only_folders;
  std::string user_settings_folder = "C:\\Users\\user\\AppData\\Roaming\\Vestrel";
  std::set<std::string> created_folders;
  // A fault in the next file replacement: at a step, or once `after_bytes` bytes of the new
  // contents have been written. Either the step fails (as with a full disk) or the program
  // dies there (`crash`: HeadlessHost::Crash is thrown and nothing is cleaned up).
  struct FileFault {
    enum Step { kCreate, kWrite, kFlush, kClose, kRename } step = kCreate;
    std::size_t after_bytes = 0;
    bool crash = false;
  };
  std::optional<FileFault> file_fault;
  struct Crash {};
  // Answers of the next popup menus: the chosen item's index, or none for a dismissed menu.
  std::deque<std::optional<int>> menu_choices;
  // Called when a popup menu is shown, before it is answered (to inspect it).
  std::function<void(const std::vector<forms::PopupItem>&)> on_popup;

  // Record drawing operations in `drawing` (benchmarks turn it off).
  bool trace_drawing = true;
  // Wake timers that act only on a change of second at each second boundary, and at once
  // when the clock is set, as the real hosts do (they add a small margin the virtual clock
  // does not need); off, every timer ticks at its interval.
  bool second_wakes = true;

  // --- The virtual clock: milliseconds since midnight of day 0. Setting it leaves the time
  // the timers still have to run as it was.
  void SetTimeOfDay(int hour, int minute, int second, int millisecond = 0);
  std::int64_t now() const { return now_ms_; }
  // Lets time pass; every timer tick that falls due meanwhile is handled in order.
  void Advance(std::int64_t milliseconds);

  // --- Scripted input, handled in order by RunPending (or inside DoEvents).
  void PostMouseDown(Integer button, int x, int y);
  void PostMouseMove(Integer buttons, int x, int y);
  void PostMouseUp(Integer button, int x, int y);
  void PostClose();
  void RunPending();
  // Press and release the left button at a point.
  void Click(int x, int y);

  // --- What happened
  std::vector<std::string> calls;     // native calls, e.g. "SetWindowPos(4097,-1,0,0,0,0,67)"
  std::vector<std::string> drawing;   // drawing operations, e.g. "Line(244,234,394,234,23,...)"
  std::vector<std::string> messages;  // message boxes: "title|prompt|buttons"
  std::vector<std::string> fatal_errors;
  std::optional<int> exit_code;
  struct Window {
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = false;
    bool topmost = false;
    Long ex_style = 0;
    int alpha = 255;
    Long region = 0;
  } window;
  struct Region {
    Long x1, y1, x2, y2, width, height;
  };
  std::map<Long, Region> regions;  // created and not yet released
  struct TimerState {
    Long interval = 0;
    bool running = false;
    std::int64_t due = 0;
    std::uint64_t generation = 0;
    bool on_second = false;  // woken at second boundaries instead of every interval
    std::uint64_t ticks = 0;
  };
  std::vector<TimerState> timers;

  // --- forms::Host
  forms::ScreenMetrics Screen() override { return screen; }
  std::string AppPath() override { return app_path; }
  int SecondsSinceMidnight() override;
  void PlaceWindow(int left, int top, int width, int height) override;
  Long WindowHandle() override { return kWindowHandle; }
  std::optional<forms::PixelPoint> WindowOrigin() override;
  void Invalidate() override {}
  void SetTimer(int index, Long interval_ms, bool running) override;
  void SetSecondTimer(int index, Long interval_ms, bool running) override;
  std::optional<int> TrackPopupMenu(const std::vector<forms::PopupItem>& items) override;
  Integer MessageBox(std::string_view prompt, Integer buttons, std::string_view title) override;
  void DoEvents() override;
  void Sleep(Long milliseconds) override;
  forms::TextExtent DrawText(raster::Image& target, int x, int y, std::string_view text,
                             raster::Pixel colour) override;
  bool IsNormalFile(std::string_view path) override;
  std::string ReadFile(std::string_view path) override;
  void WriteFile(std::string_view path, std::string_view contents) override;
  bool IsWritableFolder(std::string_view folder) override;
  std::string UserSettingsFolder() override { return user_settings_folder; }
  void CreateFolders(std::string_view folder) override;
  Long SetWindowPos(Long hwnd, Long insert_after, Long x, Long y, Long cx, Long cy,
                    Long flags) override;
  Long GetWindowLongA(Long hwnd, Long index) override;
  Long SetWindowLongA(Long hwnd, Long index, Long value) override;
  Long SetLayeredWindowAttributes(Long hwnd, Long colour_key, Byte alpha, Long flags) override;
  Long CreateRoundRectRgn(Long x1, Long y1, Long x2, Long y2, Long width, Long height) override;
  Long SetWindowRgn(Long hwnd, Long region, Boolean redraw) override;
  bool tracing() const override { return trace_drawing; }
  void Trace(std::string operation) override { drawing.push_back(std::move(operation)); }
  void ShowFatalError(std::string_view message) override;
  void Quit(int exit_code) override;

 private:
  struct Event {
    enum Kind { kDown, kMove, kUp, kClose } kind;
    Integer button;
    int x, y;
  };
  void FireDueTimers(std::int64_t until);
  class MemoryReplaceSteps;
  // The first second-boundary wake after `time`.
  static std::int64_t NextSecondWake(std::int64_t time);

  forms::Runtime* runtime_ = nullptr;
  std::int64_t now_ms_ = 0;
  std::deque<Event> events_;
  Long next_region_ = 0x2001;
};

}  // namespace headless
