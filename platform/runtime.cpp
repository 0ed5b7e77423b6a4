#include "platform/runtime.h"

#include <cmath>

#include "platform/runtime_error.h"

namespace forms {
namespace {
Runtime* g_current = nullptr;
constexpr Long kMillisecondsPerSecond = 1000;
}  // namespace

Runtime::Runtime(Host& host)
    : host_(host), screen_(host.Screen()), files_(host), previous_(g_current) {
  g_current = this;
}

Runtime::~Runtime() {
  form_.reset();
  g_current = previous_;
}

Runtime& Runtime::Current() {
  if (g_current == nullptr) throw std::logic_error("no forms runtime is running");
  return *g_current;
}

template <typename Handler>
void Runtime::Dispatch(Handler&& handler) {
  if (ended_ || pending_error_) return;
  ++depth_;
  try {
    handler();
  } catch (const std::exception&) {
    // Native event loops must not be unwound: a nested handler's error waits until control
    // is back in the runtime's DoEvents, which rethrows it into the handler that yielded.
    if (depth_ > 1) {
      pending_error_ = std::current_exception();
    } else {
      --depth_;
      try {
        throw;
      } catch (const std::exception& error) {
        Fail(error);
      }
      return;
    }
  }
  --depth_;
  FlushRepaint();
}

void Runtime::FlushRepaint() {
  if (!repaint_pending_ || ended_) return;
  repaint_pending_ = false;
  host_.Invalidate();
}

void Runtime::Fail(const std::exception& error) {
  const auto* runtime_error = dynamic_cast<const RuntimeError*>(&error);
  const std::string message = runtime_error != nullptr
                                  ? runtime_error->StandardMessage()
                                  : std::string("Run-time error:\n\n") + error.what();
  ended_ = true;
  exit_code_ = 1;
  host_.ShowFatalError(message);
  host_.Quit(exit_code_);
}

void Runtime::Start(const std::function<std::unique_ptr<Form>(Runtime&)>& create_form) {
  Dispatch([&] {
    form_ = create_form(*this);
    form_->OnLoad();
  });
}

void Runtime::TimerTick(int index) {
  if (form_ == nullptr || index < 0 || index >= static_cast<int>(timers_.size())) return;
  Dispatch([&] { form_->OnTimer(*timers_[index]); });
}

bool Runtime::InLabel(int x, int y) const {
  const raster::Rect box = Label().box;
  return x >= box.left && x < box.right() && y >= box.top && y < box.bottom();
}

void Runtime::MouseDown(Integer button, Integer shift, int x, int y) {
  if (form_ == nullptr) return;
  // Input inside the label's box belongs to the label, and so does the rest of that press.
  if (press_ == Press::kNone) press_ = InLabel(x, y) ? Press::kLabel : Press::kSurface;
  if (press_ == Press::kLabel) return;
  const double unit = form_->VisibleSurface().pixels_per_unit();
  Dispatch([&] {
    form_->OnMouse(MouseAction::kDown, button, shift, static_cast<Single>(x / unit),
                   static_cast<Single>(y / unit));
  });
}

void Runtime::MouseMove(Integer buttons, Integer shift, int x, int y) {
  if (form_ == nullptr || press_ == Press::kLabel || (press_ == Press::kNone && InLabel(x, y))) {
    return;
  }
  const double unit = form_->VisibleSurface().pixels_per_unit();
  Dispatch([&] {
    form_->OnMouse(MouseAction::kMove, buttons, shift, static_cast<Single>(x / unit),
                   static_cast<Single>(y / unit));
  });
}

void Runtime::MouseUp(Integer button, Integer shift, int x, int y) {
  if (form_ == nullptr) return;
  const Press press = press_;
  press_ = Press::kNone;
  if (press == Press::kLabel) {
    // A click is a left press and release both inside the label.
    if (button == kLeftButton && InLabel(x, y)) {
      Dispatch([&] { form_->OnLabelClick(form_->SurfaceLabel()); });
    }
    return;
  }
  if (press == Press::kNone && InLabel(x, y)) return;
  const double unit = form_->VisibleSurface().pixels_per_unit();
  Dispatch([&] {
    form_->OnMouse(MouseAction::kUp, button, shift, static_cast<Single>(x / unit),
                   static_cast<Single>(y / unit));
  });
}

void Runtime::MenuKey(Integer shift, int x, int y) {
  // Not in the middle of a mouse press, whose release the form still expects.
  if (form_ == nullptr || press_ != Press::kNone) return;
  const double unit = form_->VisibleSurface().pixels_per_unit();
  const auto ux = static_cast<Single>(x / unit), uy = static_cast<Single>(y / unit);
  Dispatch([&] { form_->OnMouse(MouseAction::kDown, kRightButton, shift, ux, uy); });
  Dispatch([&] { form_->OnMouse(MouseAction::kUp, kRightButton, shift, ux, uy); });
}

void Runtime::CloseRequested() {
  if (form_ == nullptr) return;
  Dispatch([&] { Unload(*form_); });
}

Cursor Runtime::CursorAt(int x, int y) const {
  if (form_ == nullptr) return Cursor::kDefault;
  return InLabel(x, y) ? Cursor::kTarget : Cursor::kPointingHand;
}

const raster::Image& Runtime::SurfaceImage() const {
  static const raster::Image kNothing;
  return form_ == nullptr ? kNothing : form_->VisibleSurface().surface().image();
}

raster::Rect Runtime::TakeSurfaceChanges() {
  return form_ == nullptr ? raster::Rect{} : form_->VisibleSurface().surface().TakeChanged();
}

LabelView Runtime::Label() const {
  if (form_ == nullptr) return {};
  const forms::Label& label = form_->SurfaceLabel();
  const double unit = form_->VisibleSurface().pixels_per_unit();
  auto px = [unit](Single v) { return static_cast<int>(std::lround(v * unit)); };
  LabelView view;
  view.caption = label.Caption();
  view.box = {px(label.Left()), px(label.Top()), px(label.Width()), px(label.Height())};
  view.font_name = label.FontName();
  view.font_pixel_height = static_cast<int>(std::lround(
      label.FontSize() * static_cast<double>(kTwipsPerPoint) / screen_.twips_per_pixel_y));
  view.colour = raster::FromColourRef(label.ForeColor() & 0xFFFFFFu);
  return view;
}

int Runtime::AddTimer(Timer& timer) {
  timers_.push_back(&timer);
  second_timers_.push_back(false);
  return static_cast<int>(timers_.size()) - 1;
}

void Runtime::TimerChanged(const Timer& timer) {
  const int index = timer.index();
  const bool running = timer.Enabled() && timer.Interval() > 0;
  // Waking at each second boundary sees every change of second that ticks of at most a
  // second would see, and no later; a longer interval keeps its own period.
  if (second_timers_[index] && timer.Interval() <= kMillisecondsPerSecond) {
    host_.SetSecondTimer(index, timer.Interval(), running);
  } else {
    host_.SetTimer(index, timer.Interval(), running);
  }
}

void Runtime::TimerActsOnSecondChange(const Timer& timer) {
  second_timers_[timer.index()] = true;
  TimerChanged(timer);
}

void Runtime::PopupMenu(Menu& menu) {
  std::vector<PopupItem> items;
  items.reserve(menu.items.size());
  for (const MenuItem* item : menu.items) {
    items.push_back({item->Caption(), item->Checked(), item->IsSeparator()});
  }
  const std::optional<int> chosen = host_.TrackPopupMenu(items);
  press_ = Press::kNone;  // the menu took the release of the press that opened it
  if (chosen && *chosen >= 0 && *chosen < static_cast<int>(items.size()) &&
      !items[*chosen].separator) {
    form_->OnMenuClick(*menu.items[*chosen]);
  }
}

void Runtime::Unload(Form& form) {
  if (ended_) return;
  Integer cancel = 0;
  form.OnUnload(cancel);
  if (cancel != 0) return;
  ended_ = true;
  exit_code_ = 0;
  host_.Quit(0);
}

void Runtime::DoEvents() {
  if (ended_) return;
  FlushRepaint();
  host_.DoEvents();
  if (pending_error_) {
    std::exception_ptr error = pending_error_;
    pending_error_ = nullptr;
    std::rethrow_exception(error);
  }
}

}  // namespace forms
