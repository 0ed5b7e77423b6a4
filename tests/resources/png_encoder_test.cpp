// The desktop icons: PNG files that any reader takes (read back here chunk by chunk, inflated
// by zlib), holding exactly the drawn pixels with their alpha; and the compressor behind them.
#include "resources/generator/png_encoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <string_view>

#include "resources/generator/deflate.h"
#include "resources/generator/icon_art.h"

namespace {

using artwork::IconImage;

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes.at(at)} << 24 | std::uint32_t{bytes.at(at + 1)} << 16 |
         std::uint32_t{bytes.at(at + 2)} << 8 | bytes.at(at + 3);
}

struct Chunk {
  std::string type;
  std::vector<std::uint8_t> data;
};

// The chunks of a PNG file, each checked against its CRC (as zlib computes it).
std::vector<Chunk> ReadChunks(const std::vector<std::uint8_t>& file) {
  const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), file.begin()));
  std::vector<Chunk> chunks;
  std::size_t at = signature.size();
  while (at < file.size()) {
    const std::uint32_t length = BigEndian(file, at);
    Chunk chunk{std::string(file.begin() + at + 4, file.begin() + at + 8),
                std::vector<std::uint8_t>(file.begin() + at + 8, file.begin() + at + 8 + length)};
    EXPECT_EQ(BigEndian(file, at + 8 + length), crc32(0, &file[at + 4], length + 4)) << chunk.type;
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  EXPECT_EQ(at, file.size());
  return chunks;
}

// The bytes of a zlib stream, inflated by zlib itself (which checks the Adler-32 too).
std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& stream, std::size_t size) {
  std::vector<std::uint8_t> out(size + 1);  // one spare byte: more output than expected fails
  uLongf out_size = out.size();
  EXPECT_EQ(uncompress(out.data(), &out_size, stream.data(), stream.size()), Z_OK);
  out.resize(out_size);
  return out;
}

std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& raw) {
  const std::vector<std::uint8_t> block = artwork::Deflate(raw);
  std::vector<std::uint8_t> stream = {0x78, 0x01};
  stream.insert(stream.end(), block.begin(), block.end());
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (const std::uint32_t part : {b >> 8, b & 0xFF, a >> 8, a & 0xFF}) {
    stream.push_back(static_cast<std::uint8_t>(part));
  }
  return stream;
}

// Data that exercises literals, every match length from 3 to 258, short and long distances
// up to the edge of the window, and no matches at all.
std::vector<std::uint8_t> Sample(int kind) {
  std::vector<std::uint8_t> data;
  std::uint32_t seed = 12345;
  const auto random_byte = [&] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(seed >> 16);
  };
  switch (kind) {
    case 0:
      break;  // empty
    case 1:
      data.assign(1, 7);
      break;
    case 2:
      data.assign(100000, 0);  // one long run
      break;
    case 3:
      for (int i = 0; i < 70000; ++i) data.push_back(random_byte());  // nothing repeats
      break;
    case 4:
      // A random block repeated at distances near and beyond the window, with every length.
      for (int i = 0; i < 33000; ++i) data.push_back(random_byte());
      for (int length = 3; length <= 260; ++length) {
        const std::size_t from = data.size() - 32768 + static_cast<std::size_t>(length);
        for (int i = 0; i < length; ++i) data.push_back(data[from + i]);
        data.push_back(random_byte());
      }
      break;
    default:
      for (int i = 0; i < 50000; ++i) data.push_back(static_cast<std::uint8_t>("clock"[i % 5]));
  }
  return data;
}

class DeflateTest : public testing::TestWithParam<int> {};

TEST_P(DeflateTest, ZlibInflatesItBackExactly) {
  const std::vector<std::uint8_t> raw = Sample(GetParam());
  EXPECT_EQ(Inflate(Compress(raw), raw.size()), raw);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DeflateTest, testing::Range(0, 6));

TEST(DeflateTest, RepetitionShrinks) {
  EXPECT_LT(artwork::Deflate(Sample(2)).size(), 1000u);
  EXPECT_LT(artwork::Deflate(Sample(5)).size(), 1000u);
}

class DesktopIconTest : public testing::TestWithParam<int> {};

TEST_P(DesktopIconTest, PngHoldsTheDrawnPixelsAndAlpha) {
  const int size = GetParam();
  const IconImage icon = artwork::DrawWindowIconWithAlpha(size);
  const std::vector<Chunk> chunks = ReadChunks(artwork::EncodePng(icon));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(BigEndian(chunks[0].data, 0), static_cast<std::uint32_t>(size));
  EXPECT_EQ(BigEndian(chunks[0].data, 4), static_cast<std::uint32_t>(size));
  EXPECT_EQ(std::vector<std::uint8_t>(chunks[0].data.begin() + 8, chunks[0].data.end()),
            (std::vector<std::uint8_t>{8, 6, 0, 0, 0}));
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");

  const std::size_t stride = 1 + 4 * static_cast<std::size_t>(size);
  const std::vector<std::uint8_t> rows = Inflate(chunks[1].data, stride * size);
  ASSERT_EQ(rows.size(), stride * size);
  for (int y = 0; y < size; ++y) {
    EXPECT_EQ(rows[y * stride], 0) << "filter of row " << y;
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = &rows[y * stride + 1 + 4 * x];
      const std::size_t i = static_cast<std::size_t>(y * size + x);
      const artwork::Rgb stored{p[0], p[1], p[2]};
      ASSERT_EQ(stored, icon.colour[i]) << x << "," << y;
      ASSERT_EQ(p[3], icon.alpha[i]) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DesktopIconTest, testing::ValuesIn(artwork::kDesktopIconSizes));

TEST(DesktopIconTest, ScalableIconIsTheSameDesign) {
  const std::string svg = artwork::DrawWindowIconSvg();
  EXPECT_TRUE(svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ")) << svg;
  EXPECT_NE(svg.find("viewBox=\"0 0 32 32\""), std::string::npos);
  EXPECT_TRUE(svg.ends_with("</svg>\n"));
  // The face, the rim, four marks, three hands and the two circles of the hub.
  const auto count = [&](std::string_view element) {
    int n = 0;
    for (auto at = svg.find(element); at != std::string::npos; at = svg.find(element, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<circle "), 4);
  EXPECT_EQ(count("<line "), 7);
  EXPECT_EQ(count("stroke=\"#ff0000\""), 1);  // the one red hand
  EXPECT_EQ(count("/>"), 11);
}

}  // namespace
