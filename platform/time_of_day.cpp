#include "platform/time_of_day.h"

#include <cmath>

#include "platform/runtime_error.h"

namespace forms {

Date TimeValue(int seconds_since_midnight) {
  return static_cast<Date>(seconds_since_midnight) / kSecondsPerDay;
}

std::string Format(Date time, std::string_view pattern) {
  const Date fraction = time - std::floor(time);
  const long seconds = std::lround(fraction * kSecondsPerDay) % kSecondsPerDay;
  long field;
  if (pattern == "hh") {
    field = seconds / 3600;
  } else if (pattern == "nn") {
    field = seconds / 60 % 60;
  } else if (pattern == "SS" || pattern == "ss") {
    field = seconds % 60;
  } else {
    Raise(ErrorNumber::kInvalidProcedureCall);
  }
  return {static_cast<char>('0' + field / 10), static_cast<char>('0' + field % 10)};
}

}  // namespace forms
