#include "platform/qt/mouse_codes.h"

namespace qt_host {

forms::Integer ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return forms::kLeftButton;
    case Qt::RightButton:
      return forms::kRightButton;
    case Qt::MiddleButton:
      return forms::kMiddleButton;
    default:
      return 0;
  }
}

forms::Integer HeldButtonsCode(Qt::MouseButtons buttons) {
  forms::Integer code = 0;
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    if (buttons & button) code = static_cast<forms::Integer>(code + ButtonCode(button));
  }
  return code;
}

forms::Integer ShiftCode(Qt::KeyboardModifiers modifiers) {
  forms::Integer code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

}  // namespace qt_host
