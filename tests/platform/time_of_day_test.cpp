#include "platform/time_of_day.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace forms {
namespace {

TEST(TimeOfDay, FormatsTwoDigitFields) {
  const struct {
    int h, m, s;
    const char *hh, *nn, *ss;
  } cases[] = {{0, 0, 0, "00", "00", "00"},    {23, 59, 59, "23", "59", "59"},
               {10, 10, 30, "10", "10", "30"}, {13, 5, 9, "13", "05", "09"},
               {12, 0, 0, "12", "00", "00"},   {6, 30, 45, "06", "30", "45"}};
  for (const auto& c : cases) {
    const Date t = TimeValue((c.h * 60 + c.m) * 60 + c.s);
    EXPECT_EQ(Format(t, "hh"), c.hh);
    EXPECT_EQ(Format(t, "nn"), c.nn);
    EXPECT_EQ(Format(t, "SS"), c.ss);
  }
}

TEST(TimeOfDay, EverySecondOfTheDayRoundTrips) {
  for (int s = 0; s < kSecondsPerDay; ++s) {
    const Date t = TimeValue(s);
    ASSERT_GE(t, 0);
    ASSERT_LT(t, 1);
    const int back = std::stoi(Format(t, "hh")) * 3600 + std::stoi(Format(t, "nn")) * 60 +
                     std::stoi(Format(t, "SS"));
    ASSERT_EQ(back, s);
  }
  EXPECT_EQ(TimeValue(0), 0);
  EXPECT_NE(TimeValue(1), TimeValue(0));
}

TEST(TimeOfDay, UnknownPatternIsAnError) {
  EXPECT_THROW(Format(0, "yyyy"), RuntimeError);
}

}  // namespace
}  // namespace forms
