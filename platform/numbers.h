// Number services of the forms runtime: Val, number-to-text, rounding conversions, RGB.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace forms {

// The value of the number at the start of the text: optional sign, digits, fraction and
// exponent; blanks, tabs and line breaks are skipped. 0 when the text starts with no number.
// A number too large for a double raises Overflow.
Double Val(std::string_view text);

// Number to text with no leading blank: integers as they are ("0", "-120"), doubles with up
// to 15 significant digits and singles with up to 7, whole values without decimals ("250",
// "757.5").
std::string Str(Long value);
std::string Str(Double value);
std::string StrSingle(Single value);

// Conversions that round to the nearest integer, ties to even, and raise Overflow when the
// result does not fit.
Byte CByte(Double value);
Integer CInt(Double value);
Long CLng(Double value);
Single CSng(Double value);

// r + 256 g + 65536 b; each component must be 0..255.
Colour RGB(Integer red, Integer green, Integer blue);

}  // namespace forms
