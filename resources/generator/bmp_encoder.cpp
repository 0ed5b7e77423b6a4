#include "resources/generator/bmp_encoder.h"

#include "resources/generator/byte_writer.h"

namespace artwork {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dpi

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Picture& picture) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width()) * 3 + 3) / 4 * 4;
  const std::uint32_t pixel_bytes = stride * static_cast<std::uint32_t>(picture.height());
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

  ByteWriter out;
  out.U8('B');
  out.U8('M');
  out.U32(offset + pixel_bytes);
  out.U32(0);  // reserved
  out.U32(offset);

  out.U32(kInfoHeaderSize);
  out.I32(picture.width());
  out.I32(picture.height());  // positive: bottom-up
  out.U16(1);                 // planes
  out.U16(24);
  out.U32(0);  // uncompressed
  out.U32(pixel_bytes);
  out.I32(kPixelsPerMetre);
  out.I32(kPixelsPerMetre);
  out.U32(0);  // no palette
  out.U32(0);

  for (int y = picture.height() - 1; y >= 0; --y) {
    const std::size_t row_start = out.size();
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb c = picture.at(x, y);
      out.U8(c.b);
      out.U8(c.g);
      out.U8(c.r);
    }
    out.PadRow(row_start);
  }
  return out.Take();
}

}  // namespace artwork
