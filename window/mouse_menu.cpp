// Dragging the face, the popup menu, exit and the version box.
#include "app/duzezezi.h"
#include "resources/window_definition.h"

namespace vestrel {

using namespace forms;

namespace {
constexpr const char* kVersionTitle = "ｱﾌﾟﾘｹｰｼｮﾝ情報";
constexpr const char* kVersionText =
    "Vestrel Version 1.3.1\r\n"
    "A small analog clock that floats on the desktop.\r\n"
    "Drag the face to move it; right-click it for the menu.\r\n"
    "Copyright (C) 2026 The Vestrel developers";
}  // namespace

void duzezezi::Pic2_MouseDown(Integer Button, Integer /*Shift*/, Single X, Single Y) {
  if (Button == kLeftButton) {
    DragX = CLng(X);
    DragY = CLng(Y);
  } else if (Button == kRightButton) {
    PopupMenu(MenuBar);
  }
}

void duzezezi::Pic2_MouseMove(Integer Button, Integer /*Shift*/, Single X, Single Y) {
  if (Button != kLeftButton) return;
  // The pointer's offset from the anchor is in face units; the window moves in twips, so the
  // grabbed point stays under the pointer.
  constexpr Double kTwipsPerUnit = resources::design::kSurfaceTwipsPerUnit;
  SetLeft(CSng((X - DragX) * kTwipsPerUnit + Left()));
  SetTop(CSng((Y - DragY) * kTwipsPerUnit + Top()));
}

void duzezezi::Pic2_MouseUp(Integer /*Button*/, Integer /*Shift*/, Single /*X*/, Single /*Y*/) {
  DragX = CLng(Width() / 2.0 + Left());
  DragY = CLng(Height() / 2.0 + Top());
}

void duzezezi::Menu_Click() {
  Unload(*this);
}

void duzezezi::Cre_Click() {
  MsgBox(kVersionText, kInformation, kVersionTitle);
}

}  // namespace vestrel
