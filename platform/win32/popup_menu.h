// The form's popup menu as a native menu.
#pragma once

#include "platform/win32/windows_api.h"

#include <optional>
#include <vector>

#include "platform/host.h"

namespace win32 {

// Shows `items` for `owner` with the menu's corner at `at` (screen coordinates) and waits;
// the item chosen with the left button or the keyboard (its index), or none.
std::optional<int> ShowPopupMenu(HWND owner, const std::vector<forms::PopupItem>& items, POINT at);

}  // namespace win32
