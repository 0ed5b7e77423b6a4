// The modal pieces of the host: the popup menu and the message boxes.
#pragma once

#include <QPoint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/host.h"

class QWindow;

namespace qt_host {

// Shows the items with the menu's corner at `at` (global) until one is chosen with the left
// button or the keyboard (its index) or the menu is dismissed. Its font covers the captions.
std::optional<int> ShowPopupMenu(QWindow* owner, const std::vector<forms::PopupItem>& items,
                                 QPoint at);

// Information icon and OK.
void ShowInformation(QWindow* owner, std::string_view title, std::string_view text);
// The critical icon, titled with the program's name.
void ShowCritical(QWindow* owner, std::string_view text);

}  // namespace qt_host
