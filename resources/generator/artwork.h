// Every file of the clock's artwork, drawn afresh.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

struct ArtFile {
  std::string name;  // file name inside resources/art
  std::vector<std::uint8_t> bytes;
};

// face_large.bmp, face_small.bmp, vestrel.ico, hand.cur, target.cur, and the desktop icons
// vestrel-<size>.png and vestrel.svg. The same bytes on every run and every build.
std::vector<ArtFile> DrawArtwork();

}  // namespace artwork
