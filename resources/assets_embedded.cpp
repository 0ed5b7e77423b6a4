// AssetBytes for the builds that carry the art files as compiled-in arrays.
#include "resources/assets.h"
#include "resources/embedded_art.h"

namespace resources {

std::span<const std::uint8_t> AssetBytes(Asset asset) {
  using namespace embedded;
  switch (asset) {
    case Asset::kFaceLarge:
      return {kFaceLarge, kFaceLargeSize};
    case Asset::kFaceSmall:
      return {kFaceSmall, kFaceSmallSize};
    case Asset::kIcon:
      return {kIcon, kIconSize};
    case Asset::kHandCursor:
      return {kHandCursor, kHandCursorSize};
    case Asset::kTargetCursor:
      return {kTargetCursor, kTargetCursorSize};
  }
  return {};
}

}  // namespace resources
