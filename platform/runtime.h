// The forms runtime: owns the program's one form, routes host events to it one at a time,
// does hit testing on the visible surface and ends the program on an uncaught run-time error.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "platform/form.h"
#include "platform/host.h"
#include "platform/record_files.h"

namespace forms {

class Runtime {
 public:
  explicit Runtime(Host& host);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // The runtime of the running program (there is one at a time).
  static Runtime& Current();

  Host& host() { return host_; }
  const ScreenMetrics& screen() const { return screen_; }
  RecordFiles& files() { return files_; }

  // --- Driven by the host
  // Creates the start-up form, places its window and runs its load event.
  void Start(const std::function<std::unique_ptr<Form>(Runtime&)>& create_form);
  void TimerTick(int index);
  // Mouse input in window pixels. `buttons` on a move is the set of buttons held.
  void MouseDown(Integer button, Integer shift, int x, int y);
  void MouseMove(Integer buttons, Integer shift, int x, int y);
  void MouseUp(Integer button, Integer shift, int x, int y);
  // The keyboard's menu key (Shift+F10 or the Menu key): a right press and release on the
  // surface at (x, y), as the mouse would make them, so the form opens its popup menu the
  // same way. The label's box does not take them.
  void MenuKey(Integer shift, int x, int y);
  // The user or the system asked the window to close.
  void CloseRequested();

  Cursor CursorAt(int x, int y) const;
  const raster::Image& SurfaceImage() const;
  raster::Rect TakeSurfaceChanges();
  LabelView Label() const;
  bool ended() const { return ended_; }
  int exit_code() const { return exit_code_; }
  Form* form() { return form_.get(); }

  // --- Used by the controls and the program's statements
  int AddTimer(Timer& timer);
  void TimerChanged(const Timer& timer);
  // The form says that this timer's handler acts only when the second of the time of day
  // changes; the host may then wake it once a second instead of every interval.
  void TimerActsOnSecondChange(const Timer& timer);
  // Something visible changed; the host hears of it once the running handler ends or yields
  // (at once outside handlers), so a frame's many drawing steps make one repaint.
  void SurfaceChanged() {
    repaint_pending_ = true;
    if (depth_ == 0) FlushRepaint();
  }
  void PopupMenu(Menu& menu);
  void Unload(Form& form);
  void DoEvents();

 private:
  // Runs one event handler. An uncaught run-time error ends the program; inside a nested
  // event loop it is carried out to the handler that yielded.
  template <typename Handler>
  void Dispatch(Handler&& handler);
  void Fail(const std::exception& error);
  void FlushRepaint();
  bool InLabel(int x, int y) const;

  Host& host_;
  ScreenMetrics screen_;
  RecordFiles files_;
  std::unique_ptr<Form> form_;
  std::vector<Timer*> timers_;
  std::vector<bool> second_timers_;  // by timer index
  int depth_ = 0;
  std::exception_ptr pending_error_;
  bool repaint_pending_ = false;
  bool ended_ = false;
  int exit_code_ = 0;
  enum class Press { kNone, kSurface, kLabel } press_ = Press::kNone;
  Runtime* previous_ = nullptr;
};

}  // namespace forms
