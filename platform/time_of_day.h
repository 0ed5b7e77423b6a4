// Time of day as a date value (a fraction of a day in whole seconds) and its formatting.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace forms {

inline constexpr int kSecondsPerDay = 24 * 60 * 60;

// The date value of a time of day given in whole seconds since midnight (0..86399).
Date TimeValue(int seconds_since_midnight);

// The current local time of day, read from the active host's clock.
Date Time();

// Two-digit fields of a time: "hh" hour 00-23, "nn" minute, "SS" (or "ss") second.
// Any other pattern raises Invalid procedure call.
std::string Format(Date time, std::string_view pattern);

}  // namespace forms
