#include "resources/generator/artwork.h"

#include "resources/generator/bmp_encoder.h"
#include "resources/generator/cursor_art.h"
#include "resources/generator/face_art.h"
#include "resources/generator/icon_art.h"
#include "resources/generator/icon_encoder.h"
#include "resources/generator/png_encoder.h"

namespace artwork {

std::vector<ArtFile> DrawArtwork() {
  std::vector<ArtFile> files;
  files.push_back({"face_large.bmp", EncodeBmp(DrawFace(LargeFace()))});
  files.push_back({"face_small.bmp", EncodeBmp(DrawFace(SmallFace()))});
  // The icon file: the 24-bit masked image first for readers that take only one, then the
  // images with alpha that the desktop picks from.
  std::vector<IconImage> icons = {DrawWindowIcon()};
  for (const int size : kIconFileSizes) icons.push_back(DrawWindowIconWithAlpha(size));
  files.push_back({"vestrel.ico", EncodeIconSet(icons)});
  files.push_back({"hand.cur", EncodeCursor(DrawHandCursor(), kHandHotspot)});
  files.push_back({"target.cur", EncodeCursor(DrawTargetCursor(), kTargetHotspot)});
  for (const int size : kDesktopIconSizes) {
    files.push_back(
        {"vestrel-" + std::to_string(size) + ".png", EncodePng(DrawWindowIconWithAlpha(size))});
  }
  const std::string svg = DrawWindowIconSvg();
  files.push_back({"vestrel.svg", std::vector<std::uint8_t>(svg.begin(), svg.end())});
  return files;
}

}  // namespace artwork
