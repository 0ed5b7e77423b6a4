#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/runtime_error.h"

namespace forms {
namespace {

TEST(Val, ReadsTheNumberAtTheStartOfTheText) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"", 0},        {"abc", 0},       {"12abc", 12},  {" -3", -3},     {"+7", 7},
      {"0", 0},       {"1", 1},         {"-1", -1},     {"255", 255},    {"2.5", 2.5},
      {".5", 0.5},    {"-.25", -0.25},  {"5.", 5},      {"1e3", 1000},   {"1E-2", 0.01},
      {"1d2", 100},   {"1e", 1},        {"1e+", 1},     {"12 34", 1234}, {"\t 9\n", 9},
      {"-120", -120}, {"757.5", 757.5}, {"--3", 0},     {"-", 0},        {".", 0},
      {"3,4", 3},     {"1e-400", 0},    {"  \"1\"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
  EXPECT_THROW(Val("1e400"), RuntimeError);  // too large: an overflow
  EXPECT_THROW(Val("-1e400"), RuntimeError);
}

TEST(Str, WritesNumbersWithoutBlanksOrNeedlessDecimals) {
  EXPECT_EQ(Str(Long{0}), "0");
  EXPECT_EQ(Str(Long{255}), "255");
  EXPECT_EQ(Str(Long{-120}), "-120");
  const struct {
    double value;
    const char* text;
  } doubles[] = {{0, "0"},     {-0.0, "0"},        {250, "250"},    {-1, "-1"},
                 {2.5, "2.5"}, {0.1 + 0.2, "0.3"}, {1e20, "1E+20"}, {1.0 / 3, "0.333333333333333"}};
  for (const auto& c : doubles) EXPECT_EQ(Str(c.value), c.text) << c.value;
  EXPECT_EQ(StrSingle(757.5f), "757.5");
  EXPECT_EQ(StrSingle(-120.f), "-120");
  EXPECT_EQ(StrSingle(1.0f / 3), "0.3333333");
  EXPECT_EQ(StrSingle(28800.f), "28800");
}

TEST(Conversions, RoundToNearestWithTiesToEven) {
  const struct {
    double value;
    long expected;
  } cases[] = {{0.5, 0},     {1.5, 2},     {2.5, 2},     {-0.5, 0},    {-1.5, -2},  {243.5, 244},
               {127.5, 128}, {229.5, 230}, {178.5, 178}, {215.5, 216}, {10.49, 10}, {-2.51, -3}};
  for (const auto& c : cases) {
    EXPECT_EQ(CLng(c.value), c.expected) << c.value;
    EXPECT_EQ(CInt(c.value), c.expected) << c.value;
  }
  EXPECT_EQ(CByte(254.5), 254);
  EXPECT_EQ(CByte(255.4), 255);
}

TEST(Conversions, DetectOverflow) {
  EXPECT_THROW(CByte(-1), RuntimeError);
  EXPECT_THROW(CByte(255.5), RuntimeError);
  EXPECT_EQ(CByte(-0.5), 0);
  EXPECT_THROW(CInt(32767.5), RuntimeError);
  EXPECT_EQ(CInt(-32768.4), -32768);
  EXPECT_THROW(CInt(-32768.6), RuntimeError);
  EXPECT_THROW(CLng(2147483647.5), RuntimeError);
  EXPECT_THROW(CLng(std::numeric_limits<double>::quiet_NaN()), RuntimeError);
  EXPECT_THROW(CLng(std::numeric_limits<double>::infinity()), RuntimeError);
  EXPECT_THROW(CSng(1e300), RuntimeError);
  EXPECT_THROW(RGB(256, 0, 0), RuntimeError);
  try {
    CInt(40000);
    ADD_FAILURE() << "no overflow";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.StandardMessage(), "Run-time error '6':\n\nOverflow");
  }
}

}  // namespace
}  // namespace forms
