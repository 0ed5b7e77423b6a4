#include "resources/generator/cursor_art.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace artwork {
namespace {

constexpr int kSize = 32;

// The 16 colours of the standard VGA palette, in their usual order.
constexpr std::array<Rgb, 16> kVgaPalette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

// Pixel art of the hand: ' ' transparent, K black outline, W white glove, S silver and
// G grey shading, B blue cuff, N navy cuff shadow, A aqua cuff highlight.
constexpr std::array<std::string_view, kSize> kHand{{
    "            KK                  ",  //  0
    "           KWWK                 ",  //  1
    "          KWWWSK                ",  //  2
    "          KWWWSK                ",  //  3
    "          KWWWSK                ",  //  4
    "          KWWWSK                ",  //  5
    "          KWWWSK                ",  //  6
    "          KWWWSKKK              ",  //  7
    "          KWWWSKWSKKK           ",  //  8
    "          KWWWSKWWSKWSKK        ",  //  9
    "          KWWWSKWWSKWWSKKK      ",  // 10
    "          KWWWSKWWSKWWSKWSK     ",  // 11
    "     KKK  KWWWSKWWSKWWSKWWSK    ",  // 12
    "    KWWWK KWWWWGWWSGWWSGWWSK    ",  // 13
    "    KWWWWKKWWWWWWWWWWWWWWWSK    ",  // 14
    "     KWWWWKWWWWWWWWWWWWWWWSK    ",  // 15
    "      KWWWWWWWWWWWWWWWWWWWSK    ",  // 16
    "       KWWWWWWWWWWWWWWWWWWSK    ",  // 17
    "        KSWWWWWWWWWWWWWWWWSK    ",  // 18
    "         KSWWWWWWWWWWWWWWSGK    ",  // 19
    "          KSWWWWWWWWWWWWSGK     ",  // 20
    "           KSSSSSSSSSSSGGK      ",  // 21
    "           KKKKKKKKKKKKKKK      ",  // 22
    "           KABBBBBBBBBBBNK      ",  // 23
    "           KABBBBBBBBBBBNK      ",  // 24
    "           KABBBBBBBBBBBNK      ",  // 25
    "           KNNNNNNNNNNNNNK      ",  // 26
    "           KKKKKKKKKKKKKKK      ",  // 27
    "                                ",  // 28
    "                                ",  // 29
    "                                ",  // 30
    "                                ",  // 31
}};

std::uint8_t PaletteIndex(char code) {
  switch (code) {
    case 'K':
      return 0;
    case 'S':
      return 7;
    case 'G':
      return 8;
    case 'B':
      return 12;
    case 'N':
      return 4;
    case 'A':
      return 14;
    case 'W':
      return 15;
    default:
      throw std::invalid_argument("unknown colour code in the hand pointer");
  }
}

}  // namespace

IconImage DrawHandCursor() {
  IconImage hand;
  hand.width = kSize;
  hand.height = kSize;
  hand.bits_per_pixel = 4;
  hand.palette.assign(kVgaPalette.begin(), kVgaPalette.end());
  for (const std::string_view row : kHand) {
    if (row.size() != kSize) throw std::logic_error("hand pointer rows must be 32 pixels");
    for (const char code : row) {
      const bool transparent = code == ' ';
      hand.index.push_back(transparent ? 0 : PaletteIndex(code));
      hand.mask.push_back(transparent ? 1 : 0);
    }
  }
  return hand;
}

IconImage DrawTargetCursor() {
  enum Ink : std::uint8_t { kBlack = 0, kWhite = 1 };
  IconImage target;
  target.width = kSize;
  target.height = kSize;
  target.bits_per_pixel = 1;
  target.palette = {{0, 0, 0}, {255, 255, 255}};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Squared distances from the hotspot pixel pick whole pixels, so the rings stay
      // symmetric about it.
      const int dx = x - kTargetHotspot.x;
      const int dy = y - kTargetHotspot.y;
      const int d2 = dx * dx + dy * dy;
      const auto within = [d2](double inner, double outer) {
        return d2 >= inner * inner && d2 <= outer * outer;
      };
      std::uint8_t ink = kBlack;
      std::uint8_t mask = 1;  // transparent
      if (within(9.5, 11.5)) {
        mask = 0;
      } else if (within(4.5, 6.5)) {
        ink = kWhite;
        mask = 0;
      } else if (within(1.5, 2.5)) {
        ink = kWhite;  // white over a see-through mask inverts the screen
      }
      target.index.push_back(ink);
      target.mask.push_back(mask);
    }
  }
  return target;
}

}  // namespace artwork
