#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/runtime_error.h"

namespace forms {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Rounds half to even and checks the range of the target type.
template <typename Int>
Int RoundChecked(Double value) {
  if (!std::isfinite(value)) Raise(ErrorNumber::kOverflow);
  const Double rounded = std::nearbyint(value);  // default rounding mode: ties to even
  if (rounded < static_cast<Double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<Double>(std::numeric_limits<Int>::max())) {
    Raise(ErrorNumber::kOverflow);
  }
  return static_cast<Int>(rounded);
}

// General format with at most `digits` significant digits, trailing zeros dropped, an upper
// case exponent only where the value needs one ("1E+20").
std::string Format(Double value, int digits) {
  if (value == 0) return "0";  // also for -0
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace

Double Val(std::string_view text) {
  // Collect the accepted characters of the leading number, skipping blanks as we go.
  std::string number;
  std::size_t i = 0;
  auto skip = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  auto take_digits = [&] {
    bool any = false;
    for (skip(); i < text.size() && IsDigit(text[i]); skip()) {
      number += text[i++];
      any = true;
    }
    return any;
  };
  skip();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  bool mantissa = take_digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    number += '.';
    mantissa = take_digits() || mantissa;
  }
  if (!mantissa) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::string exponent = "e";
    std::size_t mark = i++;
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent += text[i++];
    std::string saved = number;
    number += exponent;
    if (!take_digits()) {  // "1e" or "1e+" carry no exponent
      number = saved;
      i = mark;
    }
  }
  Double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Underflow gives 0; overflow is an error.
    if (number.find('-', 1) != std::string::npos) return 0;
    Raise(ErrorNumber::kOverflow);
  }
  return value;
}

std::string Str(Long value) {
  return std::to_string(value);
}
std::string Str(Double value) {
  return Format(value, 15);
}
std::string StrSingle(Single value) {
  return Format(static_cast<Double>(value), 7);
}

Byte CByte(Double value) {
  return RoundChecked<Byte>(value);
}
Integer CInt(Double value) {
  return RoundChecked<Integer>(value);
}
Long CLng(Double value) {
  return RoundChecked<Long>(value);
}

Single CSng(Double value) {
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<Single>::max()) {
    Raise(ErrorNumber::kOverflow);
  }
  return static_cast<Single>(value);
}

Colour RGB(Integer red, Integer green, Integer blue) {
  auto check = [](Integer c) {
    if (c < 0 || c > 255) Raise(ErrorNumber::kInvalidProcedureCall);
    return static_cast<Colour>(c);
  };
  return check(red) + 256 * check(green) + 65536 * check(blue);
}

}  // namespace forms
