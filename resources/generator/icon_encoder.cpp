#include "resources/generator/icon_encoder.h"

#include "resources/generator/byte_writer.h"
#include "resources/generator/png_encoder.h"

namespace artwork {
namespace {

constexpr std::uint32_t kDirectoryHeaderSize = 6;
constexpr std::uint32_t kDirectoryEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::size_t At(const IconImage& image, int x, int y) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
         static_cast<std::size_t>(x);
}

// Packs one row of values, most significant bits first, padded to four bytes.
void WritePackedRow(ByteWriter& out, int bits, int width, auto value_at) {
  const std::size_t row_start = out.size();
  std::uint32_t pending = 0;
  int filled = 0;
  for (int x = 0; x < width; ++x) {
    pending = (pending << bits) | value_at(x);
    filled += bits;
    if (filled == 8) {
      out.U8(pending);
      pending = 0;
      filled = 0;
    }
  }
  if (filled > 0) out.U8(pending << (8 - filled));
  out.PadRow(row_start);
}

// The image as it is stored inside the file: an info header giving twice the height (colour
// rows, then mask rows), the palette, the colour rows and the mask rows, both bottom-up.
std::vector<std::uint8_t> EncodeImage(const IconImage& image) {
  const int bits = image.bits_per_pixel;
  ByteWriter out;
  out.U32(kInfoHeaderSize);
  out.I32(image.width);
  out.I32(image.height * 2);
  out.U16(1);
  out.U16(static_cast<std::uint32_t>(bits));
  out.U32(0);  // uncompressed
  const std::uint32_t colour_stride =
      (static_cast<std::uint32_t>(image.width * bits) + 31) / 32 * 4;
  const std::uint32_t mask_stride = (static_cast<std::uint32_t>(image.width) + 31) / 32 * 4;
  out.U32((colour_stride + mask_stride) * static_cast<std::uint32_t>(image.height));
  out.U32(0);
  out.U32(0);
  out.U32(0);  // all 2^bits palette entries
  out.U32(0);

  if (bits <= 8) {
    for (const Rgb& c : image.palette) {
      out.U8(c.b);
      out.U8(c.g);
      out.U8(c.r);
      out.U8(0);
    }
  }
  for (int y = image.height - 1; y >= 0; --y) {
    if (bits >= 24) {
      const std::size_t row_start = out.size();
      for (int x = 0; x < image.width; ++x) {
        const Rgb c = image.colour[At(image, x, y)];
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        if (bits == 32) out.U8(image.alpha[At(image, x, y)]);
      }
      out.PadRow(row_start);
    } else {
      WritePackedRow(out, bits, image.width, [&](int x) { return image.index[At(image, x, y)]; });
    }
  }
  for (int y = image.height - 1; y >= 0; --y) {
    WritePackedRow(out, 1, image.width, [&](int x) { return image.mask[At(image, x, y)] & 1u; });
  }
  return out.Take();
}

// The file: the directory (a header, then one entry per image: size, colours, planes and
// depth for icons or the hotspot for cursors, then where the image lies), then the images.
struct Entry {
  const IconImage* image;
  std::uint32_t planes_or_hot_x;
  std::uint32_t bits_or_hot_y;
};

std::vector<std::uint8_t> EncodeFile(std::uint32_t type, const std::vector<Entry>& entries) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const Entry& entry : entries) {
    // Large images with alpha are stored as PNG, as Windows keeps its 256 px icons: a tenth of
    // the bytes of the bitmap.
    const IconImage& image = *entry.image;
    bodies.push_back(image.bits_per_pixel == 32 && image.width >= 256 ? EncodePng(image)
                                                                      : EncodeImage(image));
  }
  ByteWriter out;
  out.U16(0);
  out.U16(type);
  out.U16(static_cast<std::uint32_t>(entries.size()));
  std::uint32_t image_at =
      kDirectoryHeaderSize + kDirectoryEntrySize * static_cast<std::uint32_t>(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const IconImage& image = *entries[i].image;
    out.U8(static_cast<std::uint32_t>(image.width) & 0xFF);  // 0 stands for 256
    out.U8(static_cast<std::uint32_t>(image.height) & 0xFF);
    out.U8(image.bits_per_pixel <= 8 ? (1u << image.bits_per_pixel) & 0xFF : 0);
    out.U8(0);
    out.U16(entries[i].planes_or_hot_x);
    out.U16(entries[i].bits_or_hot_y);
    out.U32(static_cast<std::uint32_t>(bodies[i].size()));
    out.U32(image_at);
    image_at += static_cast<std::uint32_t>(bodies[i].size());
  }
  std::vector<std::uint8_t> file = out.Take();
  for (const auto& body : bodies) file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace

std::vector<std::uint8_t> EncodeIconSet(const std::vector<IconImage>& images) {
  std::vector<Entry> entries;
  for (const IconImage& image : images) {
    entries.push_back({&image, 1, static_cast<std::uint32_t>(image.bits_per_pixel)});
  }
  return EncodeFile(1, entries);
}

std::vector<std::uint8_t> EncodeCursor(const IconImage& image, Hotspot hotspot) {
  return EncodeFile(
      2, {{&image, static_cast<std::uint32_t>(hotspot.x), static_cast<std::uint32_t>(hotspot.y)}});
}

}  // namespace artwork
