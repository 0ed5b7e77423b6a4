// Mouse message parameters as the forms runtime reports them: buttons 1 left, 2 right,
// 4 middle; shift 1 shift, 2 ctrl, 4 alt.
#pragma once

#include "platform/types.h"
#include "platform/win32/windows_api.h"

namespace win32 {

// The buttons held, from the key flags of a mouse message.
inline forms::Integer ButtonsHeld(WPARAM flags) {
  return static_cast<forms::Integer>(((flags & MK_LBUTTON) ? forms::kLeftButton : 0) |
                                     ((flags & MK_RBUTTON) ? forms::kRightButton : 0) |
                                     ((flags & MK_MBUTTON) ? forms::kMiddleButton : 0));
}

// Shift, Ctrl and Alt, from the key flags of a mouse message and the keyboard state.
inline forms::Integer ShiftState(WPARAM flags) {
  return static_cast<forms::Integer>(((flags & MK_SHIFT) ? 1 : 0) | ((flags & MK_CONTROL) ? 2 : 0) |
                                     (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

// Shift, Ctrl and Alt from the keyboard state alone.
inline forms::Integer KeyboardShiftState() {
  return static_cast<forms::Integer>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                                     (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                     (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

// The virtual key of a forms mouse button.
inline int ButtonKey(forms::Integer button) {
  switch (button) {
    case forms::kRightButton:
      return VK_RBUTTON;
    case forms::kMiddleButton:
      return VK_MBUTTON;
    default:
      return VK_LBUTTON;
  }
}

// Whether any of the three buttons is down, as far as this thread has seen its input.
inline bool AnyButtonDown() {
  return GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0;
}

// Client coordinates of a mouse message; negative while captured outside the window.
inline POINT MessagePoint(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

}  // namespace win32
