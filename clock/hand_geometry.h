// From the time of day to a hand's end point on the hand canvas. Angles are whole degrees
// clockwise from 3 o'clock (-90 is 12 o'clock) and are never reduced modulo 360.
#pragma once

#include "platform/types.h"

namespace vestrel {

using forms::Byte;
using forms::Integer;
using forms::Long;

// Slightly below pi / 180 on purpose: together with the floor below it decides on which
// pixel each hand ends, and the face is drawn to those pixels.
inline constexpr double kDegreesToRadians = 0.01745329251944;

Integer HourAngle(double hour, double minute);
Integer MinuteAngle(double minute);
Integer SecondAngle(double second);

// Offsets of a hand's end from the pivot: floor(L cos r) and floor(L sin r).
Long HandOffsetX(Integer angle, Byte length);
Long HandOffsetY(Integer angle, Byte length);

}  // namespace vestrel
