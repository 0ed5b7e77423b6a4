// The clock's pictures, icon and pointers on Windows: the RCDATA copies of the art files in the
// executable's resources (see resources/vestrel.rc).
#include "platform/win32/windows_api.h"
#include "resources/assets.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

int ResourceId(Asset asset) {
  switch (asset) {
    case Asset::kFaceLarge:
      return IDR_FACE_LARGE;
    case Asset::kFaceSmall:
      return IDR_FACE_SMALL;
    case Asset::kIcon:
      return IDR_ICON_FILE;
    case Asset::kHandCursor:
      return IDR_HAND_POINTER_FILE;
    case Asset::kTargetCursor:
      return IDR_TARGET_POINTER_FILE;
  }
  return 0;
}

}  // namespace

std::span<const std::uint8_t> AssetBytes(Asset asset) {
  // Resources of the executable stay mapped for as long as it runs.
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(ResourceId(asset)),
                              MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found)};
}

}  // namespace resources
