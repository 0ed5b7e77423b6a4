#include "platform/headless/headless_host.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "platform/file_replace.h"
#include "platform/runtime.h"
#include "platform/runtime_error.h"

namespace headless {
namespace {

template <typename... Args>
std::string Call(const char* name, Args... args) {
  std::ostringstream out;
  out << name << '(';
  [[maybe_unused]] const char* separator = "";
  ((out << separator << args, separator = ","), ...);
  out << ')';
  return out.str();
}

// A 3 x 5 pixel font for the letters the clock prints, drawn at twice its size.
constexpr int kGlyphScale = 2;
constexpr int kGlyphWidth = 3, kGlyphHeight = 5;
const std::array<std::uint16_t, 11> kGlyphs{
    // Rows top to bottom, 3 bits each, most significant bit on the left.
    0b111'101'101'101'111,  // 0
    0b010'110'010'010'111,  // 1
    0b111'001'111'100'111,  // 2
    0b111'001'111'001'111,  // 3
    0b101'101'111'001'001,  // 4
    0b111'100'111'001'111,  // 5
    0b111'100'111'101'111,  // 6
    0b111'001'001'010'010,  // 7
    0b111'101'111'101'111,  // 8
    0b111'101'111'001'111,  // 9
    0b010'101'111'101'101,  // A
};

int GlyphIndex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c == 'A') return 10;
  return -1;
}

}  // namespace

HeadlessHost::HeadlessHost() = default;

void HeadlessHost::SetTimeOfDay(int hour, int minute, int second, int millisecond) {
  const std::int64_t time = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  // Setting the clock does not change how long the timers still have to run, except that
  // timers woken at second boundaries hear of the change at once.
  for (TimerState& timer : timers) timer.due = timer.on_second ? time : timer.due + time - now_ms_;
  now_ms_ = time;
}

int HeadlessHost::SecondsSinceMidnight() {
  return static_cast<int>((now_ms_ % kMillisecondsPerDay) / 1000);
}

void HeadlessHost::PlaceWindow(int left, int top, int width, int height) {
  window.left = left;
  window.top = top;
  window.width = width;
  window.height = height;
}

void HeadlessHost::SetTimer(int index, Long interval_ms, bool running) {
  if (index >= static_cast<int>(timers.size())) timers.resize(index + 1);
  TimerState& timer = timers[index];
  timer.interval = interval_ms;
  timer.running = running;
  timer.due = now_ms_ + interval_ms;
  timer.on_second = false;
  ++timer.generation;
}

void HeadlessHost::SetSecondTimer(int index, Long interval_ms, bool running) {
  SetTimer(index, interval_ms, running);
  if (!second_wakes) return;
  timers[index].on_second = true;
  timers[index].due = NextSecondWake(now_ms_);
}

std::int64_t HeadlessHost::NextSecondWake(std::int64_t time) {
  const std::int64_t second = time >= 0 ? time / 1000 : -((999 - time) / 1000);
  return (second + 1) * 1000;
}

void HeadlessHost::FireDueTimers(std::int64_t until) {
  while (runtime_ != nullptr && !runtime_->ended()) {
    int next = -1;
    for (int i = 0; i < static_cast<int>(timers.size()); ++i) {
      const TimerState& t = timers[i];
      if (t.running && t.due <= until && (next < 0 || t.due < timers[next].due)) next = i;
    }
    if (next < 0) return;
    TimerState& timer = timers[next];
    now_ms_ = std::max(now_ms_, timer.due);
    const std::uint64_t generation = timer.generation;
    ++timer.ticks;
    runtime_->TimerTick(next);
    // A timer its handler did not re-arm keeps its period; ticks missed while the program
    // was busy are not made up.
    TimerState& after = timers[next];
    if (after.generation == generation) {
      after.due = after.on_second ? NextSecondWake(now_ms_)
                                  : std::max(after.due + after.interval, now_ms_ + 1);
    }
  }
}

void HeadlessHost::Advance(std::int64_t milliseconds) {
  const std::int64_t until = now_ms_ + milliseconds;
  FireDueTimers(until);
  now_ms_ = std::max(now_ms_, until);
}

void HeadlessHost::PostMouseDown(Integer button, int x, int y) {
  events_.push_back({Event::kDown, button, x, y});
}
void HeadlessHost::PostMouseMove(Integer buttons, int x, int y) {
  events_.push_back({Event::kMove, buttons, x, y});
}
void HeadlessHost::PostMouseUp(Integer button, int x, int y) {
  events_.push_back({Event::kUp, button, x, y});
}
void HeadlessHost::PostClose() {
  events_.push_back({Event::kClose, 0, 0, 0});
}

void HeadlessHost::Click(int x, int y) {
  PostMouseDown(forms::kLeftButton, x, y);
  PostMouseUp(forms::kLeftButton, x, y);
  RunPending();
}

void HeadlessHost::RunPending() {
  while (!events_.empty() && runtime_ != nullptr && !runtime_->ended()) {
    const Event event = events_.front();
    events_.pop_front();
    switch (event.kind) {
      case Event::kDown:
        runtime_->MouseDown(event.button, 0, event.x, event.y);
        break;
      case Event::kMove:
        runtime_->MouseMove(event.button, 0, event.x, event.y);
        break;
      case Event::kUp:
        runtime_->MouseUp(event.button, 0, event.x, event.y);
        break;
      case Event::kClose:
        runtime_->CloseRequested();
        break;
    }
  }
}

std::optional<int> HeadlessHost::TrackPopupMenu(const std::vector<forms::PopupItem>& items) {
  calls.push_back(Call("TrackPopupMenu", items.size()));
  if (on_popup) on_popup(items);
  if (menu_choices.empty()) return std::nullopt;
  const std::optional<int> choice = menu_choices.front();
  menu_choices.pop_front();
  return choice;
}

Integer HeadlessHost::MessageBox(std::string_view prompt, Integer buttons, std::string_view title) {
  std::string entry(title);
  entry += '|';
  entry += prompt;
  entry += '|' + std::to_string(buttons);
  messages.push_back(std::move(entry));
  return 1;
}

void HeadlessHost::DoEvents() {
  calls.emplace_back("DoEvents()");
  RunPending();
  FireDueTimers(now_ms_);
}

void HeadlessHost::Sleep(Long milliseconds) {
  calls.push_back(Call("Sleep", milliseconds));
  now_ms_ += milliseconds;  // the thread is blocked: nothing is handled meanwhile
}

forms::TextExtent HeadlessHost::DrawText(raster::Image& target, int x, int y, std::string_view text,
                                         raster::Pixel colour) {
  int pen_x = x;
  for (char c : text) {
    const int glyph = GlyphIndex(c);
    for (int row = 0; glyph >= 0 && row < kGlyphHeight; ++row) {
      for (int col = 0; col < kGlyphWidth; ++col) {
        if (!(kGlyphs[glyph] >> ((kGlyphHeight - 1 - row) * kGlyphWidth + (2 - col)) & 1)) {
          continue;
        }
        for (int dy = 0; dy < kGlyphScale; ++dy) {
          for (int dx = 0; dx < kGlyphScale; ++dx) {
            const int px = pen_x + col * kGlyphScale + dx, py = y + row * kGlyphScale + dy;
            if (px >= 0 && py >= 0 && px < target.width() && py < target.height()) {
              target.set(px, py, colour);
            }
          }
        }
      }
    }
    pen_x += (kGlyphWidth + 1) * kGlyphScale;
  }
  const int line_height = (kGlyphHeight + 2) * kGlyphScale;
  return {raster::Intersect({x, y, pen_x - x, kGlyphHeight * kGlyphScale}, target.bounds()),
          line_height};
}

// The replacement steps on the virtual files, with the scripted fault.
class HeadlessHost::MemoryReplaceSteps : public forms::ReplaceSteps {
 public:
  explicit MemoryReplaceSteps(HeadlessHost& host) : host_(host) {}

  std::string Target(std::string_view path) override { return std::string(path); }

  forms::PathKind KindOf(std::string_view path) override {
    return host_.files.contains(std::string(path)) ? forms::PathKind::kRegular
                                                   : forms::PathKind::kMissing;
  }

  void CreateTemporary(std::string_view temporary, std::string_view target) override {
    Fault(FileFault::kCreate);
    const std::string key(temporary);
    if (host_.unwritable.contains(std::string(target)) || host_.unwritable.contains(key) ||
        host_.read_only_folders.contains(FolderOf(target))) {
      forms::Raise(forms::ErrorNumber::kPathFileAccessError);
    }
    temporary_ = key;
    host_.files[temporary_].clear();
  }

  void WriteAll(std::string_view bytes) override {
    const auto& fault = host_.file_fault;
    if (fault && fault->step == FileFault::kWrite && fault->after_bytes < bytes.size()) {
      host_.files[temporary_] += bytes.substr(0, fault->after_bytes);
      Fault(FileFault::kWrite);
    }
    host_.files[temporary_] += bytes;
  }

  void Flush() override { Fault(FileFault::kFlush); }
  void CloseTemporary() override { Fault(FileFault::kClose); }

  void Rename(std::string_view temporary, std::string_view target) override {
    Fault(FileFault::kRename);
    const auto it = host_.files.find(std::string(temporary));
    host_.files[std::string(target)] = std::move(it->second);
    host_.files.erase(it);
  }

  void Discard(std::string_view temporary) noexcept override {
    if (!crashed_) host_.files.erase(std::string(temporary));
  }

 private:
  using FileFault = HeadlessHost::FileFault;

  static std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('\\');
    return std::string(path.substr(0, slash == std::string_view::npos ? 0 : slash));
  }

  // Fails or crashes when the scripted fault is at this step; a fault happens once.
  void Fault(FileFault::Step step) {
    if (!host_.file_fault || host_.file_fault->step != step) return;
    const bool crash = host_.file_fault->crash;
    host_.file_fault.reset();
    if (crash) {
      crashed_ = true;
      throw HeadlessHost::Crash{};
    }
    forms::Raise(forms::ErrorNumber::kPathFileAccessError);
  }

  HeadlessHost& host_;
  std::string temporary_;
  bool crashed_ = false;
};

bool HeadlessHost::IsNormalFile(std::string_view path) {
  return files.contains(std::string(path));
}

std::string HeadlessHost::ReadFile(std::string_view path) {
  const std::string key(path);
  if (unreadable.contains(key)) forms::Raise(forms::ErrorNumber::kPermissionDenied);
  const auto it = files.find(key);
  if (it == files.end()) forms::Raise(forms::ErrorNumber::kFileNotFound);
  return it->second.substr(0, forms::kFileReadLimit);
}

void HeadlessHost::WriteFile(std::string_view path, std::string_view contents) {
  MemoryReplaceSteps steps(*this);
  forms::ReplaceFileContents(steps, path, contents);
}

bool HeadlessHost::IsWritableFolder(std::string_view folder) {
  return !read_only_folders.contains(std::string(folder));
}

void HeadlessHost::CreateFolders(std::string_view folder) {
  if (read_only_folders.contains(std::string(folder))) {
    forms::Raise(forms::ErrorNumber::kPathFileAccessError);
  }
  created_folders.insert(std::string(folder));
}

std::optional<forms::PixelPoint> HeadlessHost::WindowOrigin() {
  return forms::PixelPoint{window.left, window.top};
}

Long HeadlessHost::SetWindowPos(Long hwnd, Long insert_after, Long x, Long y, Long cx, Long cy,
                                Long flags) {
  calls.push_back(Call("SetWindowPos", hwnd, insert_after, x, y, cx, cy, flags));
  if (insert_after == -1) window.topmost = true;
  if (insert_after == -2) window.topmost = false;
  if (flags & 0x40) window.visible = true;
  return 1;
}

Long HeadlessHost::GetWindowLongA(Long hwnd, Long index) {
  calls.push_back(Call("GetWindowLongA", hwnd, index));
  return index == -20 ? window.ex_style : 0;
}

Long HeadlessHost::SetWindowLongA(Long hwnd, Long index, Long value) {
  calls.push_back(Call("SetWindowLongA", hwnd, index, value));
  const Long previous = window.ex_style;
  if (index == -20) window.ex_style = value;
  return previous;
}

Long HeadlessHost::SetLayeredWindowAttributes(Long hwnd, Long colour_key, Byte alpha, Long flags) {
  calls.push_back(Call("SetLayeredWindowAttributes", hwnd, colour_key, int{alpha}, flags));
  if (flags & 2) window.alpha = alpha;
  return 1;
}

Long HeadlessHost::CreateRoundRectRgn(Long x1, Long y1, Long x2, Long y2, Long width, Long height) {
  calls.push_back(Call("CreateRoundRectRgn", x1, y1, x2, y2, width, height));
  const Long handle = next_region_++;
  regions[handle] = {x1, y1, x2, y2, width, height};
  return handle;
}

Long HeadlessHost::SetWindowRgn(Long hwnd, Long region, Boolean redraw) {
  calls.push_back(Call("SetWindowRgn", hwnd, region, redraw));
  // The window owns its region and releases the one it replaces.
  if (window.region != 0 && window.region != region) regions.erase(window.region);
  window.region = region;
  return 1;
}

void HeadlessHost::ShowFatalError(std::string_view message) {
  fatal_errors.emplace_back(message);
}

void HeadlessHost::Quit(int code) {
  exit_code = code;
  window.visible = false;
  if (window.region != 0) regions.erase(window.region);
  window.region = 0;
}

}  // namespace headless
