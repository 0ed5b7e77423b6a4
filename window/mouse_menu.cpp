// Dragging the face, the popup menu, exit and the version box.
#include "app/about.h"
#include "app/duzezezi.h"
#include "resources/window_definition.h"

namespace vestrel {

using namespace forms;

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
  MsgBox(about::VersionBoxText(), kInformation, about::kVersionBoxTitle);
}

}  // namespace vestrel
