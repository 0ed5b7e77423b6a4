// The desktop icons: PNG files that any reader takes (read back here chunk by chunk, inflated
// by zlib), holding exactly the drawn pixels with their alpha. (Their compressor's output is
// also pinned by the committed files the generator must reproduce.)
#include "resources/generator/png_encoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

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
