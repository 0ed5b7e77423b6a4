#include "platform/time_of_day.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace forms {
namespace {

TEST(TimeOfDay, EverySecondOfTheDayFormatsAsTwoDigitFieldsAndRoundTrips) {
  for (int s = 0; s < kSecondsPerDay; ++s) {
    const Date t = TimeValue(s);
    ASSERT_GE(t, 0);
    ASSERT_LT(t, 1);
    const std::string hh = Format(t, "hh"), nn = Format(t, "nn"), ss = Format(t, "SS");
    ASSERT_TRUE(hh.size() == 2 && nn.size() == 2 && ss.size() == 2) << hh << nn << ss;
    ASSERT_EQ(std::stoi(hh) * 3600 + std::stoi(nn) * 60 + std::stoi(ss), s);
  }
  EXPECT_EQ(Format(TimeValue(13 * 3600 + 5 * 60 + 9), "ss"), "09");
  EXPECT_THROW(Format(0, "yyyy"), RuntimeError);
}

}  // namespace
}  // namespace forms
