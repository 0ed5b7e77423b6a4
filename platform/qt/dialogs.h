// The modal pieces of the host: the popup menu and the message boxes.
#pragma once

#include <QString>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/host.h"

class QMenu;
class QWidget;

namespace qt_host {

// A UTF-8 string of the logic with its "\r\n" line breaks as Qt's "\n".
QString DialogText(std::string_view text);

// Fills `menu` with the items in order; each action's data is its item's index.
void FillPopupMenu(QMenu& menu, const std::vector<forms::PopupItem>& items);

// Shows the items at the pointer until one is chosen (its index) or the menu is dismissed.
std::optional<int> ShowPopupMenu(QWidget* owner, const std::vector<forms::PopupItem>& items);

// Information icon and OK.
void ShowInformation(QWidget* owner, std::string_view title, std::string_view text);
// The critical icon, titled with the program's name.
void ShowCritical(QWidget* owner, std::string_view text);

}  // namespace qt_host
