#include "platform/qt/qt_host.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "platform/qt/dialogs.h"
#include "platform/qt/font_warm_up.h"
#include "platform/qt/native_files.h"
#include "platform/qt/text_drawing.h"
#include "platform/runtime.h"

namespace qt_host {
namespace {

// Window function arguments, as the Windows API numbers them.
constexpr forms::Long kTopMost = -1, kNotTopMost = -2;
constexpr forms::Long kShowWindow = 0x40;
constexpr forms::Long kExtendedStyle = -20;
constexpr forms::Long kLayered = 0x80000;
constexpr forms::Long kUseAlpha = 0x2;

// Sends what Qt has queued for the X server. Window property changes made while the program
// sleeps (a fading window) take effect at once instead of when the event loop resumes.
void FlushDisplay() {
  if (const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
    xcb_flush(x11->connection());
  }
}

// The host whose event loop is running.
QtHost* g_looping = nullptr;

}  // namespace

QtHost::QtHost()
    : NativeFileHost(kNativeFiles), timers_([this](int index) {
        if (runtime_ != nullptr) runtime_->TimerTick(index);
      }) {}

QtHost::~QtHost() {
  timers_.StopAll();
  regions_.ReleaseWindowRegion();
}

void QtHost::Attach(forms::Runtime& runtime) {
  runtime_ = &runtime;
  window_.Attach(runtime);
}

int QtHost::Run() {
  if (!quit_code_) {
    // A session that ends, `kill` or Ctrl+C: the form is closed normally and saves. (The
    // session manager's own quit request reaches the window as a close already.)
    const TerminationSignals termination([this] {
      if (runtime_ != nullptr) runtime_->CloseRequested();
    });
    // QCoreApplication's loop: QGuiApplication::exec would first start Qt's accessibility
    // bridge (a D-Bus connection and its thread) for a window that has nothing to read out.
    // The bridge still starts when a menu or message box shows, for screen readers, and at
    // once when the user asks Qt for it.
    const bool bridge_asked = !qEnvironmentVariableIsEmpty("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    // A logout may end the X server before it signals the programs of the session.
    static const bool unload_registered = std::atexit(&QtHost::UnloadAfterDisplayLoss) == 0;
    static_cast<void>(unload_registered);
    g_looping = this;
    const int code = bridge_asked ? QApplication::exec() : QCoreApplication::exec();
    g_looping = nullptr;
    if (!quit_code_) return code;
  }
  return *quit_code_;
}

void QtHost::UnloadAfterDisplayLoss() {
  QtHost* host = std::exchange(g_looping, nullptr);
  if (host == nullptr || host->runtime_ == nullptr) return;
  // Nothing may reach the X server or the event loop any more: no repaint, no dialog, no
  // second exit() from an event.
  host->display_lost_ = true;
  host->runtime_->CloseRequested();
}

forms::ScreenMetrics QtHost::Screen() {
  forms::ScreenMetrics metrics;
  // In device-independent pixels at 15 twips each: on a scaled screen the program sees the
  // same screen as at 96 dpi, and the window enlarges the whole clock.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    metrics.width_px = screen->geometry().width();
    metrics.height_px = screen->geometry().height();
  }
  return metrics;
}

std::string QtHost::AppPath() {
  // Qt's own answer is a QString, which loses the bytes of a folder name that is not UTF-8.
  std::string folder = ProgramFolder();
  return folder.empty() ? QCoreApplication::applicationDirPath().toStdString() : folder;
}

int QtHost::SecondsSinceMidnight() {
  // The C library's clock, so that a faked time of day reaches the program. The precise
  // clock, not time(), which may lag the second boundary the timers wake at by a tick.
  timespec precise{};
  clock_gettime(CLOCK_REALTIME, &precise);
  const std::time_t now = precise.tv_sec;
  // localtime_r keeps the time zone it read first; tzset looks again (a stat of
  // /etc/localtime), so a zone the user or the system switches to shows at the next second.
  // Once a second is enough: a frame reads the clock several times.
  if (now != zone_checked_at_) {
    zone_checked_at_ = now;
    tzset();
  }
  std::tm local{};
  localtime_r(&now, &local);
  return (local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec;
}

std::optional<forms::PixelPoint> QtHost::WindowOrigin() {
  const QPoint origin = window_.Origin();
  return forms::PixelPoint{origin.x(), origin.y()};
}

void QtHost::PlaceWindow(int left, int top, int width, int height) {
  window_.Place(left, top, width, height);
}

void QtHost::SetTimer(int index, forms::Long interval_ms, bool running) {
  timers_.Set(index, interval_ms, running);
}

void QtHost::SetSecondTimer(int index, forms::Long /*interval_ms*/, bool running) {
  timers_.SetOnSecond(index, running);
}

std::optional<int> QtHost::TrackPopupMenu(const std::vector<forms::PopupItem>& items) {
  if (display_lost_) return std::nullopt;
  return ShowPopupMenu(&window_, items, window_.PopupPosition());
}

forms::Integer QtHost::MessageBox(std::string_view prompt, forms::Integer /*buttons*/,
                                  std::string_view title) {
  if (!display_lost_) ShowInformation(&window_, title, prompt);
  return 1;  // OK
}

void QtHost::DoEvents() {
  if (!display_lost_) QCoreApplication::processEvents();
}

void QtHost::Sleep(forms::Long milliseconds) {
  if (!display_lost_) FlushDisplay();
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

forms::TextExtent QtHost::DrawText(raster::Image& target, int x, int y, std::string_view text,
                                   raster::Pixel colour) {
  if (!text_font_) {
    AwaitFontConfig();
    text_font_ = SurfaceDefaultFont();
  }
  return DrawTextInto(target, x, y, text, colour, *text_font_);
}

forms::Long QtHost::SetWindowPos(forms::Long hwnd, forms::Long insert_after, forms::Long /*x*/,
                                 forms::Long /*y*/, forms::Long /*cx*/, forms::Long /*cy*/,
                                 forms::Long flags) {
  if (hwnd != kWindowHandle) return 0;
  // Position and size belong to the form, which places the window through PlaceWindow. The
  // program only moves the window into or out of the top-most band and shows it.
  if (insert_after == kTopMost || insert_after == kNotTopMost) {
    window_.SetStaysOnTop(insert_after == kTopMost);
  }
  if ((flags & kShowWindow) && !window_.isVisible()) {
    // Shown once the handler that asks for it has returned: the program shapes the window
    // and sets its transparency after showing it, and a window mapped before that would
    // flash up as an opaque rectangle. (A second request before then shows nothing new.)
    QMetaObject::invokeMethod(
        &window_,
        [this] {
          if (!quit_code_) window_.show();
        },
        Qt::QueuedConnection);
  }
  return 1;
}

forms::Long QtHost::GetWindowLongA(forms::Long hwnd, forms::Long index) {
  if (hwnd != kWindowHandle || index != kExtendedStyle) return 0;
  return extended_style_;
}

forms::Long QtHost::SetWindowLongA(forms::Long hwnd, forms::Long index, forms::Long value) {
  if (hwnd != kWindowHandle || index != kExtendedStyle) return 0;
  const forms::Long previous = extended_style_;
  extended_style_ = value;
  if ((previous ^ value) & kLayered) ApplyOpacity();
  return previous;
}

forms::Long QtHost::SetLayeredWindowAttributes(forms::Long hwnd, forms::Long /*colour_key*/,
                                               forms::Byte alpha, forms::Long flags) {
  // Only a layered window has a transparency.
  if (hwnd != kWindowHandle || !(extended_style_ & kLayered)) return 0;
  if (flags & kUseAlpha) {
    alpha_ = alpha;
    ApplyOpacity();
  }
  return 1;
}

void QtHost::ApplyOpacity() {
  window_.setOpacity((extended_style_ & kLayered) ? alpha_ / 255.0 : 1.0);
}

forms::Long QtHost::CreateRoundRectRgn(forms::Long x1, forms::Long y1, forms::Long x2,
                                       forms::Long y2, forms::Long /*width*/,
                                       forms::Long /*height*/) {
  return regions_.CreateEllipse(x1, y1, x2, y2);
}

forms::Long QtHost::SetWindowRgn(forms::Long hwnd, forms::Long region, forms::Boolean /*redraw*/) {
  if (hwnd != kWindowHandle) return 0;
  window_.SetShape(regions_.SetWindowRegion(region));
  return 1;
}

void QtHost::ShowFatalError(std::string_view message) {
  if (display_lost_) {
    std::fprintf(stderr, "vestrel: %.*s\n", static_cast<int>(message.size()), message.data());
    return;
  }
  ShowCritical(nullptr, message);
}

void QtHost::Quit(int exit_code) {
  if (quit_code_) return;
  quit_code_ = exit_code;
  if (display_lost_) return;
  timers_.StopAll();
  window_.CloseForGood();
  regions_.ReleaseWindowRegion();
  QCoreApplication::exit(exit_code);
}

}  // namespace qt_host
