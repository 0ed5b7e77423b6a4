// The desktop icons: PNG files that any reader takes (read back here chunk by chunk, inflated
// by zlib), holding exactly the drawn pixels with their alpha; and the compressor behind them.
#include "resources/generator/png_encoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "resources/generator/deflate.h"
#include "resources/generator/icon_art.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t BigEndian(const Bytes& bytes, std::size_t at) {
  return std::uint32_t{bytes.at(at)} << 24 | std::uint32_t{bytes.at(at + 1)} << 16 |
         std::uint32_t{bytes.at(at + 2)} << 8 | bytes.at(at + 3);
}

// The bytes of a zlib stream, inflated by zlib itself (which checks the Adler-32 too).
Bytes Inflate(const Bytes& stream, std::size_t size) {
  Bytes out(size + 1);  // one spare byte: more output than expected fails
  uLongf out_size = out.size();
  EXPECT_EQ(uncompress(out.data(), &out_size, stream.data(), stream.size()), Z_OK);
  out.resize(out_size);
  return out;
}

TEST(DeflateTest, ZlibInflatesItBackExactlyAndRepetitionShrinks) {
  std::uint32_t seed = 12345;
  const auto random_bytes = [&](Bytes& data, int count) {
    for (int i = 0; i < count; ++i)
      data.push_back(static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16));
  };
  // A random block repeated at distances near and beyond the window, with every match length.
  Bytes window_edges;
  random_bytes(window_edges, 33000);
  for (int length = 3; length <= 260; ++length) {
    const std::size_t from = window_edges.size() - 32768 + static_cast<std::size_t>(length);
    for (int i = 0; i < length; ++i) window_edges.push_back(window_edges[from + i]);
    random_bytes(window_edges, 1);
  }
  Bytes random, pattern;
  random_bytes(random, 70000);  // nothing repeats
  for (int i = 0; i < 50000; ++i) pattern.push_back(static_cast<std::uint8_t>("clock"[i % 5]));
  const struct {
    Bytes raw;
    bool repeats;  // compresses to a fraction
  } inputs[] = {{{}, false},     {{7}, false},          {Bytes(100000, 0), true},
                {random, false}, {window_edges, false}, {pattern, true}};
  for (const auto& [raw, repeats] : inputs) {
    const Bytes block = artwork::Deflate(raw);
    Bytes stream = {0x78, 0x01};
    stream.insert(stream.end(), block.begin(), block.end());
    const std::uint32_t adler = adler32(1, raw.data(), static_cast<uInt>(raw.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
      stream.push_back(static_cast<std::uint8_t>(adler >> shift));
    EXPECT_EQ(Inflate(stream, raw.size()), raw) << raw.size() << " bytes";
    EXPECT_TRUE(!repeats || block.size() < 1000) << raw.size() << " bytes to " << block.size();
  }
}

TEST(DesktopIconTest, EachPngHoldsTheDrawnPixelsAndAlpha) {
  for (const int size : artwork::kDesktopIconSizes) {
    const artwork::IconImage icon = artwork::DrawWindowIconWithAlpha(size);
    const Bytes file = artwork::EncodePng(icon);
    ASSERT_EQ(Bytes(file.begin(), file.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    // Chunks, each checked against its CRC as zlib computes it: IHDR, IDAT, IEND.
    std::vector<std::pair<std::string, Bytes>> chunks;
    for (std::size_t at = 8; at < file.size();) {
      const std::uint32_t length = BigEndian(file, at);
      chunks.emplace_back(std::string(file.begin() + at + 4, file.begin() + at + 8),
                          Bytes(file.begin() + at + 8, file.begin() + at + 8 + length));
      EXPECT_EQ(BigEndian(file, at + 8 + length), crc32(0, &file[at + 4], length + 4)) << size;
      at += 12 + length;
      ASSERT_LE(at, file.size()) << size;
    }
    ASSERT_EQ(chunks.size(), 3u) << size;
    EXPECT_EQ(chunks[0].first + chunks[1].first + chunks[2].first, "IHDRIDATIEND");
    const Bytes& header = chunks[0].second;
    EXPECT_EQ(BigEndian(header, 0), static_cast<std::uint32_t>(size));
    EXPECT_EQ(BigEndian(header, 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(Bytes(header.begin() + 8, header.end()), (Bytes{8, 6, 0, 0, 0}));  // 8-bit RGBA

    const std::size_t stride = 1 + 4 * static_cast<std::size_t>(size);
    const Bytes rows = Inflate(chunks[1].second, stride * size);
    ASSERT_EQ(rows.size(), stride * size);
    for (int y = 0; y < size; ++y) {
      ASSERT_EQ(rows[y * stride], 0) << "filter of row " << y;
      for (int x = 0; x < size; ++x) {
        const std::uint8_t* p = &rows[y * stride + 1 + 4 * x];
        const std::size_t i = static_cast<std::size_t>(y * size + x);
        ASSERT_EQ((artwork::Rgb{p[0], p[1], p[2]}), icon.colour[i])
            << size << ": " << x << "," << y;
        ASSERT_EQ(p[3], icon.alpha[i]) << size << ": " << x << "," << y;
      }
    }
  }
}

}  // namespace
