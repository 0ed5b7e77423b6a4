#include "platform/win32/win32_host.h"

#include "platform/runtime.h"
#include "platform/win32/mouse_input.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/wide_text.h"
#include "resources/resource_ids.h"

namespace win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"VestrelClockWindow";
constexpr wchar_t kProgramTitle[] = L"Vestrel";

// How long after a second boundary a second timer wakes, so that the local time read then is
// surely the new second. A wake that still finds the old second re-arms for the remainder.
constexpr UINT kSecondMarginMs = 2;

UINT MsToNextSecond() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return 1000u - now.wMilliseconds + kSecondMarginMs;
}

RECT ToRect(const raster::Rect& r) {
  return {r.left, r.top, r.right(), r.bottom()};
}

}  // namespace

Win32Host::Win32Host(HINSTANCE instance) : NativeFileHost(kNativeFiles), instance_(instance) {
  hand_cursor_ = LoadCursorW(instance_, MAKEINTRESOURCEW(IDC_HAND_POINTER));
  target_cursor_ = LoadCursorW(instance_, MAKEINTRESOURCEW(IDC_TARGET_POINTER));
  default_cursor_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW

  // Icons and pointers from the resources are shared: the system releases them.
  big_icon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VESTREL));
  small_icon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_VESTREL), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_SHARED));

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &Win32Host::WindowProcedure;
  window_class.hInstance = instance_;
  window_class.hIcon = big_icon_;
  window_class.hIconSm = small_icon_;
  window_class.lpszClassName = kWindowClass;
  // No background brush and no class cursor: the window paints all of itself and picks the
  // pointer by the area under it.
  window_class_ = RegisterClassExW(&window_class);
}

Win32Host::~Win32Host() {
  runtime_ = nullptr;  // it may be gone already: the window's last messages go nowhere
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  ReleaseLooseRegions();
  if (window_class_ != 0) UnregisterClassW(kWindowClass, instance_);
}

void Win32Host::CreateFormWindow(int left, int top, int width, int height) {
  // A popup without caption or border, so the client area is the whole window; a tool
  // window, so it has no taskbar button. It stays hidden until the program shows it.
  CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, left, top, width, height, nullptr,
                  nullptr, instance_, this);
  if (hwnd_ == nullptr) return;
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  // Timers the program started before its window existed.
  for (int i = 0; i < static_cast<int>(timers_.size()); ++i) ArmTimer(i);
}

LRESULT CALLBACK Win32Host::WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* host = static_cast<Win32Host*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    host->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
  }
  auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (host == nullptr || host->hwnd_ != hwnd) return DefWindowProcW(hwnd, message, wparam, lparam);
  return host->HandleMessage(message, wparam, lparam);
}

LRESULT Win32Host::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_SETCURSOR:
      if (OnSetCursor(lparam)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      OnButtonDown(forms::kLeftButton, wparam, lparam);
      return 0;
    case WM_RBUTTONDOWN:
      OnButtonDown(forms::kRightButton, wparam, lparam);
      return 0;
    case WM_MBUTTONDOWN:
      OnButtonDown(forms::kMiddleButton, wparam, lparam);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(forms::kLeftButton, wparam, lparam);
      return 0;
    case WM_RBUTTONUP:
      OnButtonUp(forms::kRightButton, wparam, lparam);
      return 0;
    case WM_MBUTTONUP:
      OnButtonUp(forms::kMiddleButton, wparam, lparam);
      return 0;
    case WM_MOUSEMOVE:
      if (runtime_ != nullptr) {
        const POINT p = MessagePoint(lparam);
        runtime_->MouseMove(ButtonsHeld(wparam), ShiftState(wparam), p.x, p.y);
      }
      return 0;
    case WM_CONTEXTMENU:
      // From the keyboard (Shift+F10 or the Menu key) the position is -1, -1. The mouse's
      // right button already opens the menu on its press.
      if (lparam == static_cast<LPARAM>(-1) || lparam == MAKELPARAM(-1, -1)) {
        OnMenuKey();
        return 0;
      }
      break;
    case WM_TIMER: {
      const int index = static_cast<int>(wparam) - 1;
      if (runtime_ != nullptr) runtime_->TimerTick(index);
      // A second timer's period is the time to the next second, worked out anew each time.
      if (index >= 0 && index < static_cast<int>(timers_.size()) && timers_[index].on_second) {
        ArmTimer(index);
      }
      return 0;
    }
    case kShowWhenIdle:
      if (!IsWindowVisible(hwnd_)) {
        ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
      }
      return 0;
    case WM_TIMECHANGE:
      ClockChanged();
      return 0;
    case WM_POWERBROADCAST:
      if (wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) ClockChanged();
      return TRUE;
    case WM_CLOSE:
      // The program decides: its unload event may keep the window.
      if (runtime_ != nullptr) runtime_->CloseRequested();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // the clock never holds up logging off or shutting down
    case WM_ENDSESSION:
      // The session ends: close the form as if the user had, so that it saves its settings
      // before the system ends the process.
      if (wparam != FALSE && runtime_ != nullptr) runtime_->CloseRequested();
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool Win32Host::HasForm() const {
  return runtime_ != nullptr && runtime_->form() != nullptr;
}

void Win32Host::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd_, &paint);
  if (dc != nullptr && HasForm()) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const forms::LabelView label = runtime_->Label();
    painter_.Paint(dc, paint.rcPaint, {client.right, client.bottom}, runtime_->SurfaceImage(),
                   label);
  }
  EndPaint(hwnd_, &paint);
}

void Win32Host::Invalidate() {
  if (hwnd_ == nullptr || !HasForm()) return;
  // What changed on the surface, and the label where it was and where it is now (it may have
  // moved, grown or changed colour).
  const raster::Rect label = painter_.LabelExtent(runtime_->Label());
  const raster::Rect dirty =
      raster::Union(runtime_->TakeSurfaceChanges(), raster::Union(label, label_extent_));
  label_extent_ = label;
  if (dirty.empty()) return;
  const RECT area = ToRect(dirty);
  InvalidateRect(hwnd_, &area, FALSE);
}

void Win32Host::OnButtonDown(Integer button, WPARAM wparam, LPARAM lparam) {
  if (runtime_ == nullptr) return;
  // Moves and the release outside the window still belong to this press.
  if (GetCapture() != hwnd_) SetCapture(hwnd_);
  const POINT p = MessagePoint(lparam);
  runtime_->MouseDown(button, ShiftState(wparam), p.x, p.y);
  // A modal loop run by the press (the popup menu) may have taken the release: report it,
  // so the press ends for the runtime as it did for the user.
  if (hwnd_ != nullptr && GetKeyState(ButtonKey(button)) >= 0) {
    POINT now{};
    GetCursorPos(&now);
    ScreenToClient(hwnd_, &now);
    runtime_->MouseUp(button, KeyboardShiftState(), now.x, now.y);
    if (hwnd_ != nullptr && !AnyButtonDown() && GetCapture() == hwnd_) ReleaseCapture();
  }
}

void Win32Host::OnButtonUp(Integer button, WPARAM wparam, LPARAM lparam) {
  if (runtime_ == nullptr) return;
  const POINT p = MessagePoint(lparam);
  runtime_->MouseUp(button, ShiftState(wparam), p.x, p.y);
  if (hwnd_ != nullptr && ButtonsHeld(wparam) == 0 && GetCapture() == hwnd_) ReleaseCapture();
}

bool Win32Host::OnSetCursor(LPARAM lparam) {
  if (LOWORD(lparam) != HTCLIENT || !HasForm()) return false;
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  HCURSOR cursor = default_cursor_;
  switch (runtime_->CursorAt(p.x, p.y)) {
    case forms::Cursor::kPointingHand:
      cursor = hand_cursor_;
      break;
    case forms::Cursor::kTarget:
      cursor = target_cursor_;
      break;
    case forms::Cursor::kDefault:
      break;
  }
  SetCursor(cursor != nullptr ? cursor : default_cursor_);
  return true;
}

void Win32Host::OnMenuKey() {
  if (runtime_ == nullptr || hwnd_ == nullptr) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  // The same menu as a right press on the face, opened at the window's centre.
  menu_from_keyboard_ = true;
  runtime_->MenuKey(KeyboardShiftState(), client.right / 2, client.bottom / 2);
  menu_from_keyboard_ = false;
}

void Win32Host::PlaceWindow(int left, int top, int width, int height) {
  if (hwnd_ == nullptr) {
    CreateFormWindow(left, top, width, height);
    return;
  }
  ::SetWindowPos(hwnd_, nullptr, left, top, width, height,
                 SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

std::optional<forms::PixelPoint> Win32Host::WindowOrigin() {
  RECT area{};
  if (hwnd_ == nullptr || !GetWindowRect(hwnd_, &area)) return std::nullopt;
  return forms::PixelPoint{area.left, area.top};
}

Long Win32Host::WindowHandle() {
  if (hwnd_ == nullptr) CreateFormWindow(0, 0, 0, 0);
  // Window handles fit in 32 bits; the program keeps them as Long.
  return static_cast<Long>(reinterpret_cast<INT_PTR>(hwnd_));
}

void Win32Host::SetTimer(int index, Long interval_ms, bool running) {
  if (index < 0) return;
  if (index >= static_cast<int>(timers_.size())) timers_.resize(index + 1);
  timers_[index] = {interval_ms, running, false};
  ArmTimer(index);
}

void Win32Host::SetSecondTimer(int index, Long interval_ms, bool running) {
  if (index < 0) return;
  if (index >= static_cast<int>(timers_.size())) timers_.resize(index + 1);
  timers_[index] = {interval_ms, running, true};
  ArmTimer(index);
}

void Win32Host::ClockChanged() {
  for (int i = 0; i < static_cast<int>(timers_.size()) && runtime_ != nullptr; ++i) {
    if (!timers_[i].on_second || !timers_[i].running) continue;
    runtime_->TimerTick(i);
    if (i < static_cast<int>(timers_.size()) && timers_[i].on_second) ArmTimer(i);
  }
}

void Win32Host::ArmTimer(int index) {
  if (hwnd_ == nullptr) return;
  const TimerState& timer = timers_[index];
  const UINT_PTR id = static_cast<UINT_PTR>(index) + 1;
  // Setting a timer again replaces it, so the period restarts with every call.
  if (timer.running && timer.on_second) {
    ::SetTimer(hwnd_, id, MsToNextSecond(), nullptr);
  } else if (timer.running && timer.interval > 0) {
    ::SetTimer(hwnd_, id, static_cast<UINT>(timer.interval), nullptr);
  } else {
    KillTimer(hwnd_, id);
  }
}

std::optional<int> Win32Host::TrackPopupMenu(const std::vector<forms::PopupItem>& items) {
  if (hwnd_ == nullptr) return std::nullopt;
  POINT at{};
  if (menu_from_keyboard_) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    at = {client.right / 2, client.bottom / 2};
    ClientToScreen(hwnd_, &at);
  } else {
    GetCursorPos(&at);
  }
  return ShowPopupMenu(hwnd_, items, at);
}

Integer Win32Host::MessageBox(std::string_view prompt, Integer buttons, std::string_view title) {
  // The forms runtime's button and icon styles are the system's own values.
  return static_cast<Integer>(MessageBoxW(hwnd_, Widen(prompt).c_str(), Widen(title).c_str(),
                                          static_cast<UINT>(static_cast<std::uint16_t>(buttons))));
}

void Win32Host::DoEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit for the main loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Host::Sleep(Long milliseconds) {
  ::Sleep(static_cast<DWORD>(milliseconds));
}

forms::TextExtent Win32Host::DrawText(raster::Image& target, int x, int y, std::string_view text,
                                      raster::Pixel colour) {
  return text_.Draw(target, x, y, text, colour);
}

void Win32Host::ShowFatalError(std::string_view message) {
  MessageBoxW(hwnd_, Widen(message).c_str(), kProgramTitle, MB_OK | MB_ICONERROR);
}

void Win32Host::Quit(int exit_code) {
  exit_code_ = exit_code;
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  PostQuitMessage(exit_code);
}

int Win32Host::RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : exit_code_;
}

}  // namespace win32
