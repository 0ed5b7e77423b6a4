#include "platform/win32/popup_menu.h"

#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

// Owns the menu for the time it is shown.
class PopupMenuHandle {
 public:
  PopupMenuHandle() : menu_(CreatePopupMenu()) { NoteUserCreated(menu_); }
  ~PopupMenuHandle() {
    if (menu_ == nullptr) return;
    DestroyMenu(menu_);
    NoteUserReleased();
  }
  PopupMenuHandle(const PopupMenuHandle&) = delete;
  PopupMenuHandle& operator=(const PopupMenuHandle&) = delete;
  HMENU get() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace

std::optional<int> ShowPopupMenu(HWND owner, const std::vector<forms::PopupItem>& items, POINT at) {
  const PopupMenuHandle menu;
  if (menu.get() == nullptr) return std::nullopt;
  // Command ids are the item's place plus one: TrackPopupMenu reports 0 for "nothing chosen".
  for (std::size_t i = 0; i < items.size(); ++i) {
    const forms::PopupItem& item = items[i];
    const UINT_PTR id = i + 1;
    if (item.separator) {
      AppendMenuW(menu.get(), MF_SEPARATOR, id, nullptr);
    } else {
      AppendMenuW(menu.get(), MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), id,
                  Widen(item.caption).c_str());
    }
  }
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const BOOL chosen = TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                     at.x, at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);  // lets the menu's last click finish its work
  if (chosen <= 0 || static_cast<std::size_t>(chosen) > items.size()) return std::nullopt;
  return chosen - 1;
}

}  // namespace win32
