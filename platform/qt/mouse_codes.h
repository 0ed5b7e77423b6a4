// Qt's mouse buttons and keyboard modifiers as the forms runtime numbers them.
#pragma once

#include <Qt>

#include "platform/types.h"

namespace qt_host {

// 1 left, 2 right, 4 middle; 0 for any other button.
forms::Integer ButtonCode(Qt::MouseButton button);
// The sum of the codes of the held buttons.
forms::Integer HeldButtonsCode(Qt::MouseButtons buttons);
// 1 shift, 2 ctrl, 4 alt, summed.
forms::Integer ShiftCode(Qt::KeyboardModifiers modifiers);

}  // namespace qt_host
