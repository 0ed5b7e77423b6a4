// DecodeBmp: the layouts it reads and the input it refuses.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture_files/bmp.h"

namespace {

using raster::Image;
using raster::Pixel;

struct Layout {
  const char* name;
  int bits;  // 24 or 32
  bool top_down;
  bool file_header;
  bool bit_fields;  // 32-bit with explicit BGRX masks after the info header
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A bitmap written independently of the decoder, with a nonzero alpha byte in 32-bit pixels
// and nonzero padding bytes, which the decoder must both ignore.
std::vector<std::uint8_t> Encode(const Image& image, const Layout& layout) {
  const std::uint32_t pixel_size = static_cast<std::uint32_t>(layout.bits) / 8;
  const std::uint32_t stride = (image.width() * pixel_size + 3) / 4 * 4;
  const std::uint32_t masks = layout.bit_fields ? 12 : 0;
  const std::uint32_t file_header = layout.file_header ? 14 : 0;
  const std::uint32_t offset = file_header + 40 + masks;
  std::vector<std::uint8_t> out;
  if (layout.file_header) {
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + stride * image.height());
    Put32(out, 0);
    Put32(out, offset);
  }
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.width()));
  Put32(out, static_cast<std::uint32_t>(layout.top_down ? -image.height() : image.height()));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(layout.bits));
  Put32(out, layout.bit_fields ? 3 : 0);
  for (int i = 0; i < 5; ++i) Put32(out, 0);
  if (layout.bit_fields) {
    Put32(out, 0x00FF0000);
    Put32(out, 0x0000FF00);
    Put32(out, 0x000000FF);
  }
  for (int row = 0; row < image.height(); ++row) {
    const int y = layout.top_down ? row : image.height() - 1 - row;
    std::size_t written = 0;
    for (int x = 0; x < image.width(); ++x) {
      const Pixel p = image.at(x, y);
      out.push_back(static_cast<std::uint8_t>(p));
      out.push_back(static_cast<std::uint8_t>(p >> 8));
      out.push_back(static_cast<std::uint8_t>(p >> 16));
      if (pixel_size == 4) out.push_back(0xA5);
      written += pixel_size;
    }
    for (; written < stride; ++written) out.push_back(0x5A);
  }
  return out;
}

Image Sample(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.set(
          x, y,
          static_cast<Pixel>((x * 37 + 11) << 16 | (y * 53 + 7) << 8 | (x ^ y) * 29) & 0xFFFFFFu);
    }
  }
  return image;
}

const Layout kLayouts[] = {
    {"Bottom24File", 24, false, true, false}, {"TopDown24File", 24, true, true, false},
    {"Bottom24Dib", 24, false, false, false}, {"TopDown32Dib", 32, true, false, false},
    {"Bottom32File", 32, false, true, false}, {"Fields32File", 32, false, true, true},
    {"Fields32Dib", 32, true, false, true},
};

class BmpLayoutTest : public testing::TestWithParam<Layout> {};

TEST_P(BmpLayoutTest, DecodesEveryPixel) {
  // Widths 1 to 5 give every amount of row padding for 24-bit rows.
  for (int width = 1; width <= 5; ++width) {
    const Image source = Sample(width, 3);
    EXPECT_EQ(raster::DecodeBmp(Encode(source, GetParam())), source) << "width " << width;
  }
}

TEST_P(BmpLayoutTest, RefusesEveryTruncation) {
  const std::vector<std::uint8_t> bytes = Encode(Sample(3, 4), GetParam());
  // The last row's padding may be missing; anything shorter is refused.
  const std::size_t shortest = bytes.size() - (GetParam().bits == 24 ? 3 : 0);
  for (std::size_t size = 0; size < shortest; ++size) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + size);
    EXPECT_EQ(raster::DecodeBmp(cut).width(), 0) << "cut at " << size;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpLayoutTest, testing::ValuesIn(kLayouts),
                         [](const testing::TestParamInfo<Layout>& info) {
                           return std::string(info.param.name);
                         });

TEST(BmpDecodeTest, EveryCorruptionGivesAnEmptyImage) {
  const struct {
    const char* name;
    std::size_t at;  // offset in a 24-bit file with a file header
    std::vector<std::uint8_t> bytes;
  } corruptions[] = {
      {"not the bitmap signature", 0, {'B', 'A'}},
      {"pixel offset past the end", 10, {0xFF, 0xFF, 0, 0}},
      {"core header", 14, {12, 0, 0, 0}},
      {"header longer than the file", 14, {0, 0, 1, 0}},
      {"zero width", 18, {0, 0, 0, 0}},
      {"negative width", 18, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"huge width", 18, {0, 0, 0, 0x10}},
      {"zero height", 22, {0, 0, 0, 0}},
      {"most negative height", 22, {0, 0, 0, 0x80}},
      {"two planes", 26, {2, 0}},
      {"eight-bit palette", 28, {8, 0}},
      {"sixteen bit", 28, {16, 0}},
      {"run-length compressed", 30, {1, 0, 0, 0}},
      {"bit fields on 24 bit", 30, {3, 0, 0, 0}},
      {"PNG", 30, {5, 0, 0, 0}},
  };
  const Layout plain{"", 24, false, true, false};
  for (const auto& c : corruptions) {
    std::vector<std::uint8_t> bytes = Encode(Sample(4, 4), plain);
    ASSERT_EQ(raster::DecodeBmp(bytes).width(), 4);
    std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.at));
    const Image decoded = raster::DecodeBmp(bytes);
    EXPECT_EQ(decoded.width(), 0) << c.name;
    EXPECT_EQ(decoded.height(), 0) << c.name;
    EXPECT_TRUE(decoded.pixels().empty()) << c.name;
  }
}

TEST(BmpDecodeTest, RefusesNonStandardBitFieldMasks) {
  const Layout fields{"", 32, false, true, true};
  std::vector<std::uint8_t> bytes = Encode(Sample(2, 2), fields);
  std::swap(bytes[54], bytes[62]);  // red and blue masks exchanged: RGBX, not BGRX
  std::swap(bytes[56], bytes[64]);
  EXPECT_EQ(raster::DecodeBmp(bytes).width(), 0);
}

}  // namespace
