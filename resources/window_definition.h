// The clock window as data: the form, its controls and the popup menu, with the design values
// the program builds them from (Bk and Bk2 hold only their face, from resources/assets.h).
// Positions and sizes are in twips unless a name says otherwise; colours are 0x00BBGGRR.
#pragma once

#include <array>
#include <string_view>

#include "platform/types.h"

namespace resources::design {

using forms::Colour;
using forms::Long;
using forms::Single;

struct Box {
  Single left, top, width, height;
};

// The visible surface measures in a fixed unit of 15 twips, whatever the display.
inline constexpr double kSurfaceTwipsPerUnit = 15;

// --- duzezezi, the form: no border, no title bar, no caption; its client area is the window.
inline constexpr Box kFormClientArea{105, 105, 10065, 7725};

// --- Pic2, the clock face. Its 2-pixel sunken frame lies just outside the window, so its
// drawing area starts at the window's top-left pixel.
inline constexpr Box kPic2{-30, -30, 2670, 2700};
inline constexpr int kPic2FramePixels = 2;
inline constexpr Colour kPic2BackColour = 0x00000000;
inline constexpr Colour kPic2ForeColour = 0x000000FF;  // the countdown minutes

// --- Label1, the "●" indicator on Pic2; geometry in Pic2 units.
inline constexpr std::string_view kLabel1Caption = "●";
inline constexpr Box kLabel1{60, 64, 48, 47};
inline constexpr std::string_view kLabel1FontName = "ＭＳ Ｐ明朝";
inline constexpr forms::Integer kLabel1FontSize = 36;  // points
inline constexpr Colour kLabel1ForeColour = 0x00000000;

// --- Pic1, the hand canvas: off screen, in display pixels, black as every canvas starts.
inline constexpr Box kPic1{90, 210, 7305, 7020};

// --- Timers: Timer1 ticks from creation; Timer2 is enabled but silent until given an interval.
inline constexpr Long kTimer1Interval = 100;
inline constexpr Long kTimer2Interval = 0;

// --- The popup menu: a top-level menu never shown as a bar.
inline constexpr std::string_view kMenuBarCaption = "システム";

struct MenuEntry {
  int index;  // member of the timerN array, else -1
  std::string_view caption;
  bool checked;
};

inline constexpr std::array<MenuEntry, 9> kMenuItems{{
    {-1, "終了", false},         // Menu
    {-1, "-", false},            // bar
    {0, "3分ﾀｲﾏｰ", false},       // timerN(0)
    {1, "4分ﾀｲﾏｰ", false},       // timerN(1)
    {2, "5分ﾀｲﾏｰ", false},       // timerN(2)
    {-1, "大きく", true},        // Max
    {-1, "小さく", false},       // Low
    {-1, "最前面表示", true},    // TopSet
    {-1, "ﾊﾞｰｼﾞｮﾝ情報", false},  // Cre
}};

}  // namespace resources::design
