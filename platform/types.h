// Value types of the forms runtime, with the exact widths the clock's logic relies on.
#pragma once

#include <cstdint>

namespace forms {

using Byte = std::uint8_t;     // unsigned 8-bit
using Integer = std::int16_t;  // signed 16-bit
using Long = std::int32_t;     // signed 32-bit; also native window and region handles
using Single = float;
using Double = double;
using Date = double;           // days; only the time-of-day fraction is used
using Boolean = std::int16_t;  // -1 true, 0 false
using Colour = std::uint32_t;  // 0x00BBGGRR, or 0x800000nn for system colour nn

inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;

// Raster operation of PaintPicture that ORs the source into the destination.
inline constexpr Long kSrcPaint = 0xEE0086;

// Mouse buttons as the mouse events report them.
inline constexpr Integer kLeftButton = 1;
inline constexpr Integer kRightButton = 2;
inline constexpr Integer kMiddleButton = 4;

// Message box style: information icon with an OK button.
inline constexpr Integer kInformation = 64;

// A twip is 1/1440 inch; a point is 20 twips.
inline constexpr int kTwipsPerPoint = 20;

}  // namespace forms
