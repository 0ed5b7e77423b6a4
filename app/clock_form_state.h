// Every variable of the clock form that outlives an event. All start at zero or empty text,
// except LastDrawnTime, which starts at a time that never occurs so that the first tick draws.
// The widths are exact.
#pragma once

#include <string>

#include "platform/types.h"

namespace vestrel {

using forms::Boolean;
using forms::Byte;
using forms::Date;
using forms::Long;

// A time of day that never occurs, so the first frame is drawn whatever the time.
inline constexpr Date kNoFrameDrawn = -1;

struct ClockFormState {
  Long RegionHandle = 0;          // the window region created at the last size change
  Long SecondX = 0, SecondY = 0;  // hand end points on the hand canvas
  Long MinuteX = 0, MinuteY = 0;
  Long HourX = 0, HourY = 0;
  Long CenterX = 0, CenterY = 0;  // pivot of all hands
  Long DragX = 0, DragY = 0;      // drag anchor
  Byte HourLength = 0, MinuteLength = 0, SecondLength = 0;
  Byte HourWidth = 0, MinuteWidth = 0, SecondWidth = 0;  // widest pen of each hand
  Boolean IsLarge = 0;
  std::string SizeSetting;        // "0" large, "1" small
  std::string OpaqueSetting;      // non-zero number: opaque
  std::string LeftSetting;        // window Left saved last time, twips
  std::string TopSetting;         // window Top saved last time, twips
  std::string TopMostOffSetting;  // "0" or empty: always on top
  std::string SettingsFolder;     // where the settings are read and written this run
  Date LastDrawnTime = kNoFrameDrawn;
  Date CurrentTime = 0;
};

}  // namespace vestrel
