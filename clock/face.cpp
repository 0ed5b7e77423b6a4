// The frame routine: at every change of second the face picture, the three hands and, while a
// countdown runs, the minutes left.
#include <array>

#include "app/duzezezi.h"
#include "clock/hand_geometry.h"

namespace vestrel {

using namespace forms;

namespace {

// Each hand is four strokes, each 2 pixels narrower and brighter than the one before.
constexpr std::array<Colour, 4> kGreens{0x4000, 0x8000, 0xC000, 0xFF00};
constexpr std::array<Colour, 4> kReds{0x40, 0x80, 0xC0, 0xFF};

// Where the hand canvas is taken from for the 0.3 shrink, and where the minutes are printed.
constexpr Single kLargeSourceX = -35, kLargeSourceY = -54;
constexpr Single kSmallSourceX = 65, kSmallSourceY = 53;
constexpr Single kLargeTextX = 120, kLargeTextY = 82;
constexpr Single kSmallTextX = 74, kSmallTextY = 49;

void DrawHand(CanvasBox& canvas, Long from_x, Long from_y, Long to_x, Long to_y, Byte width,
              const std::array<Colour, 4>& colours) {
  for (Integer k = 0; k < 4; ++k) {
    canvas.SetDrawWidth(CInt(static_cast<Integer>(width) - 2 * k));
    canvas.Line(static_cast<Single>(from_x), static_cast<Single>(from_y), static_cast<Single>(to_x),
                static_cast<Single>(to_y), colours[k]);
  }
}

}  // namespace

void duzezezi::Timer1_Timer() {
  CurrentTime = Time();
  if (LastDrawnTime == CurrentTime) return;
  LastDrawnTime = CurrentTime;

  Pic1.Cls();
  Pic1.SetPicture(nullptr);
  Pic2.SetPicture(nullptr);
  Pic2.SetPicture(IsLarge == True ? Bk.GetPicture() : Bk2.GetPicture());

  // Each hand reads the clock for itself, just before it is drawn.
  const Integer hour_angle = HourAngle(Val(Format(Time(), "hh")), Val(Format(Time(), "nn")));
  HourX = CenterX + HandOffsetX(hour_angle, HourLength);
  HourY = CenterY + HandOffsetY(hour_angle, HourLength);
  DrawHand(Pic1, CenterX, CenterY, HourX, HourY, HourWidth, kGreens);

  const Integer minute_angle = MinuteAngle(Val(Format(Time(), "nn")));
  MinuteX = CenterX + HandOffsetX(minute_angle, MinuteLength);
  MinuteY = CenterY + HandOffsetY(minute_angle, MinuteLength);
  DrawHand(Pic1, CenterX, CenterY, MinuteX, MinuteY, MinuteWidth, kGreens);

  const Integer second_angle = SecondAngle(Val(Format(Time(), "SS")));
  SecondX = CenterX + HandOffsetX(second_angle, SecondLength);
  SecondY = CenterY + HandOffsetY(second_angle, SecondLength);
  DrawHand(Pic1, CenterX, CenterY, SecondX, SecondY, SecondWidth, kReds);

  // The hands were drawn at 10/3 of their size; shrinking them onto the face smooths them.
  const bool large = IsLarge == True;
  Pic2.PaintPicture(Pic1.Image(), 0, 0, 600, 600, large ? kLargeSourceX : kSmallSourceX,
                    large ? kLargeSourceY : kSmallSourceY, 2000, 2000, kSrcPaint);

  if (!Timer2.Tag().empty() && Label1.ForeColor() == 0) {
    Pic2.SetCurrentX(IsLarge == True ? kLargeTextX : kSmallTextX);
    Pic2.SetCurrentY(IsLarge == True ? kLargeTextY : kSmallTextY);
    Pic2.Print("A" + Str(Val(Timer2.Tag())));
  }
}

}  // namespace vestrel
