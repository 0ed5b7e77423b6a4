// The host's window driven through its messages, with a probe form that records what the
// runtime delivers: creation, the window functions, regions, mouse routing and capture,
// pointers and closing. (Timers, the keyboard's menu keys and a window manager's move are
// checked end to end.)
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/win32_host.h"
#include "resources/resource_ids.h"
#include "tests/platform/win32/checks/check.h"

namespace checks {
namespace {

// A form that records what the runtime delivers to it.
class ProbeForm : public forms::Form {
 public:
  explicit ProbeForm(forms::Runtime& runtime)
      : Form(runtime),
        surface(runtime, 130, 110, 0, 0xFF, 1.0),
        label(runtime, "●", "ＭＳ Ｐ明朝", 18, 0, 40, 30, 30, 30) {
    const forms::Single tx = runtime.screen().twips_per_pixel_x;
    const forms::Single ty = runtime.screen().twips_per_pixel_y;
    SetDesignBounds(10 * tx, 20 * ty, 120 * tx, 100 * ty);
  }

  void OnLoad() override {}
  void OnUnload(forms::Integer& /*cancel*/) override { events.emplace_back("unload"); }
  void OnTimer(const forms::Timer&) override {}
  void OnLabelClick(const forms::Label&) override { events.emplace_back("label click"); }
  void OnMenuClick(const forms::MenuItem&) override {}
  void OnMouse(forms::MouseAction action, forms::Integer button, forms::Integer shift,
               forms::Single x, forms::Single y) override {
    static const char* const kActions[] = {"down", "move", "up"};
    char event[64];
    std::snprintf(event, sizeof event, "%s %d %d %d %d", kActions[static_cast<int>(action)],
                  static_cast<int>(button), static_cast<int>(shift), static_cast<int>(x),
                  static_cast<int>(y));
    events.emplace_back(event);
  }
  forms::PictureBox& VisibleSurface() override { return surface; }
  forms::Label& SurfaceLabel() override { return label; }

  forms::PictureBox surface;
  forms::Label label;
  std::vector<std::string> events;
};

LPARAM At(int x, int y) {
  return static_cast<LPARAM>(static_cast<WORD>(x) |
                             (static_cast<DWORD>(static_cast<WORD>(y)) << 16));
}

// Marks mouse buttons down or up as the thread's input state, as real input would.
void HoldButtons(bool left, bool right) {
  BYTE keys[256] = {};
  keys[VK_LBUTTON] = left ? 0x80 : 0;
  keys[VK_RBUTTON] = right ? 0x80 : 0;
  SetKeyboardState(keys);
}

}  // namespace

void CheckHostWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  win32::Win32Host host(instance);
  forms::Runtime runtime(host);
  host.Attach(runtime);
  ProbeForm* form = nullptr;
  runtime.Start([&](forms::Runtime& r) {
    auto created = std::make_unique<ProbeForm>(r);
    form = created.get();
    return created;
  });
  CHECK(form != nullptr);
  if (form == nullptr) return;
  const forms::Long handle = host.WindowHandle();
  HWND hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));

  // Its creation, showing and stacking are checked end to end; a region counts as held until
  // the window takes it.
  const long held = win32::HandlesHeld().gdi;
  const forms::Long region = host.CreateRoundRectRgn(0, 0, 120, 100, 120, 100);
  CHECK(region != 0 && win32::HandlesHeld().gdi == held + 1);
  CHECK(host.SetWindowRgn(handle, region, forms::True) != 0);
  CHECK(win32::HandlesHeld().gdi == held);
  CHECK(host.SetWindowRgn(handle, host.CreateRoundRectRgn(0, 0, 120, 100, 60, 50), forms::True));
  CHECK(win32::HandlesHeld().gdi == held);
  // A handle with bit 31 set reaches the program as a negative Long and comes back sign
  // extended; the window takes it all the same. Each region set frees its handle for the next
  // one, whose handle differs in the upper bits, so such a handle turns up within a few
  // hundred.
  bool negative_seen = false, all_released = true;
  for (int i = 0; i < 1024 && !negative_seen; ++i) {
    const forms::Long next = host.CreateRoundRectRgn(0, 0, 120, 100, 120, 100);
    negative_seen = next < 0;
    CHECK(host.SetWindowRgn(handle, next, forms::False) != 0);
    all_released = all_released && win32::HandlesHeld().gdi == held;
  }
  CHECK(negative_seen);
  CHECK(all_released);
  // One never given to a window stays the host's, which deletes it when it goes (wmain checks
  // that nothing is held then).
  CHECK(host.CreateRoundRectRgn(0, 0, 20, 20, 20, 20) != 0);
  CHECK(win32::HandlesHeld().gdi == held + 1);

  // Mouse: buttons, shift state and client coordinates, captured while a button is down.
  form->events.clear();
  HoldButtons(false, true);
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, At(10, 20));
  CHECK(GetCapture() == hwnd);
  HoldButtons(true, true);
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON | MK_CONTROL, At(-5, 130));
  HoldButtons(false, false);
  SendMessageW(hwnd, WM_RBUTTONUP, 0, At(-5, 130));
  CHECK(GetCapture() == nullptr);
  // A press whose release something else took (the popup menu's loop) still ends.
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(12, 14));
  CHECK(GetCapture() == nullptr);
  // The label's press and release are its click.
  HoldButtons(true, false);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 40));
  HoldButtons(false, false);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(50, 40));
  const std::vector<std::string> expected{"down 2 1 10 20",
                                          "move 3 2 -5 130",
                                          "up 2 0 -5 130",
                                          "down 1 0 12 14",
                                          "up 1 0 " /* where the pointer is */,
                                          "label click"};
  CHECK(form->events.size() == expected.size());
  for (std::size_t i = 0; i < std::min(expected.size(), form->events.size()); ++i)
    CHECK(form->events[i].starts_with(expected[i]));

  // The keyboard's menu keys (WM_CONTEXTMENU at -1, -1) are a right press and release at the
  // window's centre (checked end to end); a context menu request with a position (from the
  // mouse) is not, the right press having opened the menu already.
  form->events.clear();
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(30, 40));
  CHECK(form->events.empty());

  // The pointer: the target over the label, the hand over the rest.
  HCURSOR hand = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_POINTER));
  HCURSOR target = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_TARGET_POINTER));
  CHECK(hand != nullptr && target != nullptr && hand != target);
  struct PointerCase {
    POINT at;  // client pixels
    HCURSOR cursor;
  };
  for (const PointerCase& c : {PointerCase{{50, 40}, target}, PointerCase{{15, 70}, hand}}) {
    SetCursorPos(10 + c.at.x, 20 + c.at.y);
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    CHECK(GetCursor() == c.cursor);
  }

  // The end of the session closes the window as the user would, so that the program saves
  // its settings (checked end to end); a session that goes on keeps it.
  form->events.clear();
  CHECK(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == TRUE);
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  CHECK(IsWindow(hwnd));
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  CHECK(!IsWindow(hwnd));
  CHECK(form->events == std::vector<std::string>({"unload"}));
  CHECK(runtime.ended());
  CHECK(host.RunMessageLoop() == 0);
}

}  // namespace checks
