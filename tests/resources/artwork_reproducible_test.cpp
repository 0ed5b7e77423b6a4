// The program carries exactly what the generator draws. (That the committed art files are what
// the generator program writes is the artwork_generator_reproduces_committed_files test.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "resources/generator/artwork.h"
#include "resources/generator/icon_art.h"
#include "tests/resources/art_assets.h"

namespace {

using art_test::kAllAssets;

std::string FirstDifference(const std::vector<std::uint8_t>& a,
                            const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size()) {
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  }
  const auto where = std::mismatch(a.begin(), a.end(), b.begin());
  if (where.first == a.end()) return "none";
  return "first at byte " + std::to_string(where.first - a.begin());
}

TEST(ArtworkTest, EmbeddedFilesEqualAFreshDrawing) {
  const std::vector<artwork::ArtFile> drawn = artwork::DrawArtwork();
  // The embedded files, and the desktop icons (PNGs and one SVG) that only get installed.
  ASSERT_EQ(drawn.size(), std::size(kAllAssets) + artwork::kDesktopIconSizes.size() + 1);
  for (const art_test::NamedAsset& named : kAllAssets) {
    const auto file = std::find_if(drawn.begin(), drawn.end(),
                                   [&](const artwork::ArtFile& f) { return f.name == named.file; });
    ASSERT_NE(file, drawn.end()) << named.file;
    const std::vector<std::uint8_t> embedded = art_test::Bytes(named.asset);
    EXPECT_TRUE(embedded == file->bytes)
        << named.file << " differs from the drawing (" << FirstDifference(embedded, file->bytes)
        << "); run vestrel_artwork_generator resources/art and review the pictures";
  }
}

}  // namespace
