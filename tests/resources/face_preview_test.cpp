// Shows each face as the window shows it - unscaled at the top-left corner of the window,
// cut to the ellipse inscribed in the window - and writes that picture, four times enlarged,
// to <build>/tests/resources/preview/ for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/raster/bmp.h"
#include "resources/generator/bmp_encoder.h"
#include "tests/resources/art_assets.h"

namespace {

using raster::Image;
using raster::Pixel;

constexpr Pixel kDesktop = 0x3A6EA5;  // shows where the window's ellipse cuts the face away
constexpr int kEnlargement = 4;

struct WindowCase {
  const char* name;
  resources::Asset face;
  int window_width;
  int window_height;
};

// Names the case in test listings.
void PrintTo(const WindowCase& c, std::ostream* os) {
  *os << c.name;
}

const WindowCase kWindows[] = {
    {"large", resources::Asset::kFaceLarge, 170, 174},
    {"small", resources::Asset::kFaceSmall, 108, 110},
};

// Whether pixel (x, y) of the window lies inside its elliptical region (pixel centres).
bool InWindow(const WindowCase& w, int x, int y) {
  const double dx = (x + 0.5 - w.window_width / 2.0) / (w.window_width / 2.0);
  const double dy = (y + 0.5 - w.window_height / 2.0) / (w.window_height / 2.0);
  return dx * dx + dy * dy <= 1.0;
}

Image WindowImage(const WindowCase& w, const Image& face) {
  Image window(w.window_width * kEnlargement, w.window_height * kEnlargement, kDesktop);
  for (int y = 0; y < window.height(); ++y) {
    for (int x = 0; x < window.width(); ++x) {
      const int fx = x / kEnlargement;
      const int fy = y / kEnlargement;
      if (!InWindow(w, fx, fy)) continue;
      // Below a face one pixel shorter than its window, the window's black background.
      window.set(x, y, fx < face.width() && fy < face.height() ? face.at(fx, fy) : 0);
    }
  }
  return window;
}

artwork::Picture ToPicture(const Image& image) {
  artwork::Picture picture(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Pixel p = image.at(x, y);
      picture.set(x, y,
                  {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                   static_cast<std::uint8_t>(p)});
    }
  }
  return picture;
}

class FacePreviewTest : public testing::TestWithParam<WindowCase> {};

TEST_P(FacePreviewTest, WholeDialFitsInsideTheWindowEllipse) {
  const Image face = raster::DecodeBmp(resources::AssetBytes(GetParam().face));
  ASSERT_GT(face.width(), 0);
  for (int y = 0; y < face.height(); ++y) {
    for (int x = 0; x < face.width(); ++x) {
      if (face.at(x, y) == 0) continue;
      EXPECT_TRUE(InWindow(GetParam(), x, y)) << x << "," << y;
    }
  }
}

TEST_P(FacePreviewTest, WritesTheWindowPictureForReview) {
  const Image face = raster::DecodeBmp(resources::AssetBytes(GetParam().face));
  ASSERT_GT(face.width(), 0);
  const Image window = WindowImage(GetParam(), face);
  const std::vector<std::uint8_t> bytes = artwork::EncodeBmp(ToPicture(window));

  const std::filesystem::path folder = VESTREL_PREVIEW_DIR;
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / (std::string(GetParam().name) + "_window_x4.bmp");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_EQ(raster::DecodeBmp(art_test::ReadFile(path.string())), window) << path;
  std::cout << "preview: " << path.string() << "\n";
}

INSTANTIATE_TEST_SUITE_P(Windows, FacePreviewTest, testing::ValuesIn(kWindows),
                         [](const testing::TestParamInfo<WindowCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
