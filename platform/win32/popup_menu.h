// The form's popup menu as a native menu at the pointer.
#pragma once

#include "platform/win32/windows_api.h"

#include <optional>
#include <vector>

#include "platform/host.h"

namespace win32 {

// Shows `items` at the pointer for `owner` and waits; the chosen item's index, or none.
std::optional<int> ShowPopupMenu(HWND owner, const std::vector<forms::PopupItem>& items);

}  // namespace win32
