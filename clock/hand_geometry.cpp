#include "clock/hand_geometry.h"

#include <cmath>

#include "platform/numbers.h"

namespace vestrel {

Integer HourAngle(double hour, double minute) {
  return forms::CInt(hour * 30 + minute * 0.5 - 90);
}
Integer MinuteAngle(double minute) {
  return forms::CInt(minute * 6 - 90);
}
Integer SecondAngle(double second) {
  return forms::CInt(second * 6 - 90);
}

Long HandOffsetX(Integer angle, Byte length) {
  const double r = static_cast<double>(angle) * kDegreesToRadians;
  return forms::CLng(std::floor(static_cast<double>(length) * std::cos(r)));
}

Long HandOffsetY(Integer angle, Byte length) {
  const double r = static_cast<double>(angle) * kDegreesToRadians;
  return forms::CLng(std::floor(static_cast<double>(length) * std::sin(r)));
}

}  // namespace vestrel
