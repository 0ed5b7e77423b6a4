#include "resources/generator/artwork.h"

#include "resources/generator/bmp_encoder.h"
#include "resources/generator/cursor_art.h"
#include "resources/generator/face_art.h"
#include "resources/generator/icon_art.h"
#include "resources/generator/icon_encoder.h"

namespace artwork {

std::vector<ArtFile> DrawArtwork() {
  std::vector<ArtFile> files;
  files.push_back({"face_large.bmp", EncodeBmp(DrawFace(LargeFace()))});
  files.push_back({"face_small.bmp", EncodeBmp(DrawFace(SmallFace()))});
  files.push_back({"vestrel.ico", EncodeIcon(DrawWindowIcon())});
  files.push_back({"hand.cur", EncodeCursor(DrawHandCursor(), kHandHotspot)});
  files.push_back({"target.cur", EncodeCursor(DrawTargetCursor(), kTargetHotspot)});
  return files;
}

}  // namespace artwork
