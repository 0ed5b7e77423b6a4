// DecodeBmp: the layouts it reads, and every truncation refused. (It decodes only the
// program's own embedded pictures, so damaged headers never reach it.)
#include "platform/picture_files/bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using raster::Image;

struct Layout {
  int bits;  // 24 or 32
  bool top_down, file_header;
  bool bit_fields;  // 32-bit with explicit BGRX masks after the info header
};

// A bitmap written independently of the decoder, with a nonzero alpha byte in 32-bit pixels
// and nonzero padding bytes, which the decoder must both ignore.
std::vector<std::uint8_t> Encode(const Image& image, const Layout& layout) {
  std::vector<std::uint8_t> out;
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> 8 * i));
  };
  const std::uint32_t pixel_size = static_cast<std::uint32_t>(layout.bits) / 8;
  const std::uint32_t stride = (image.width() * pixel_size + 3) / 4 * 4;
  const std::uint32_t offset = (layout.file_header ? 14 : 0) + 40 + (layout.bit_fields ? 12 : 0);
  if (layout.file_header) {
    out = {'B', 'M'};
    put(offset + stride * image.height(), 4);
    put(0, 4);
    put(offset, 4);
  }
  put(40, 4);
  put(image.width(), 4);
  put(layout.top_down ? -image.height() : image.height(), 4);
  put(1, 2);
  put(layout.bits, 2);
  put(layout.bit_fields ? 3 : 0, 4);
  for (int i = 0; i < 5; ++i) put(0, 4);
  if (layout.bit_fields) {
    for (std::uint32_t mask : {0xFF0000, 0xFF00, 0xFF}) put(mask, 4);
  }
  for (int row = 0; row < image.height(); ++row) {
    const std::size_t start = out.size();
    for (int x = 0; x < image.width(); ++x) {
      put(image.at(x, layout.top_down ? row : image.height() - 1 - row) | 0xA5000000u,
          static_cast<int>(pixel_size));
    }
    while (out.size() - start < stride) out.push_back(0x5A);
  }
  return out;
}

Image Sample(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.set(x, y, ((x * 37 + 11) << 16 | (y * 53 + 7) << 8 | (x ^ y) * 29) & 0xFFFFFFu);
    }
  }
  return image;
}

TEST(BmpDecodeTest, DecodesEveryLayoutAndRefusesEveryTruncation) {
  const Layout layouts[] = {
      {24, false, true, false}, {24, true, false, false}, {32, true, false, false},
      {32, false, true, false}, {32, false, true, true},  {32, true, false, true},
  };
  for (const Layout& layout : layouts) {
    const std::string name = std::to_string(layout.bits) + (layout.top_down ? " top-down" : "") +
                             (layout.file_header ? " file" : "") +
                             (layout.bit_fields ? " fields" : "");
    // Widths 1 to 5 give every amount of row padding for 24-bit rows.
    for (int width = 1; width <= 5; ++width) {
      const Image source = Sample(width, 3);
      EXPECT_EQ(raster::DecodeBmp(Encode(source, layout)), source) << name << ", width " << width;
    }
    // The last row's padding may be missing; anything shorter is refused.
    const std::vector<std::uint8_t> bytes = Encode(Sample(3, 4), layout);
    for (std::size_t size = 0; size < bytes.size() - (layout.bits == 24 ? 3 : 0); ++size) {
      const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + size);
      EXPECT_EQ(raster::DecodeBmp(cut).width(), 0) << name << ", cut at " << size;
    }
  }
}

}  // namespace
