// Always on top, or normal stacking.
#include "app/duzezezi.h"

namespace vestrel {

using namespace forms;

namespace {
constexpr Long kTopMost = -1;
constexpr Long kNotTopMost = -2;
// Keep size and position, show the window.
constexpr Long kNoSizeNoMoveShow = 0x43;
}  // namespace

void duzezezi::ApplyTopMost() {
  if (Val(TopMostOffSetting) == 0) {
    SetWindowPos(hWnd(), kTopMost, 0, 0, 0, 0, kNoSizeNoMoveShow);
    TopSet.SetChecked(True);
  } else {
    SetWindowPos(hWnd(), kNotTopMost, 0, 0, 0, 0, kNoSizeNoMoveShow);
    TopSet.SetChecked(False);
  }
}

void duzezezi::TopSet_Click() {
  TopMostOffSetting = Val(TopMostOffSetting) == 0 ? "1" : "0";
  ApplyTopMost();
}

}  // namespace vestrel
