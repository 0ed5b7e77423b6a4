// Writes each face as the window shows it - unscaled at the top-left corner of the window, cut
// to the ellipse inscribed in the window, on a blue desktop - four times enlarged, for a person
// to look at after changing the artwork.
//
//   vestrel_face_preview <folder>   writes large_window_x4.bmp and small_window_x4.bmp
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/picture_files/bmp.h"
#include "resources/assets.h"
#include "resources/generator/bmp_encoder.h"

namespace {

using raster::Image;
using raster::Pixel;

constexpr Pixel kDesktop = 0x3A6EA5;  // shows where the window's ellipse cuts the face away
constexpr int kEnlargement = 4;

struct WindowCase {
  const char* name;
  resources::Asset face;
  int width, height;
};

Image WindowPicture(const WindowCase& w, const Image& face) {
  Image window(w.width * kEnlargement, w.height * kEnlargement, kDesktop);
  for (int y = 0; y < window.height(); ++y) {
    for (int x = 0; x < window.width(); ++x) {
      const int fx = x / kEnlargement, fy = y / kEnlargement;
      const double dx = (fx + 0.5 - w.width / 2.0) / (w.width / 2.0);
      const double dy = (fy + 0.5 - w.height / 2.0) / (w.height / 2.0);
      if (dx * dx + dy * dy > 1.0) continue;
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: vestrel_face_preview <folder>\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (const WindowCase& w : {WindowCase{"large", resources::Asset::kFaceLarge, 170, 174},
                              WindowCase{"small", resources::Asset::kFaceSmall, 108, 110}}) {
    const Image face = raster::DecodeBmp(resources::AssetBytes(w.face));
    const std::vector<std::uint8_t> bytes = artwork::EncodeBmp(ToPicture(WindowPicture(w, face)));
    const std::filesystem::path path = folder / (std::string(w.name) + "_window_x4.bmp");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::cerr << "could not write " << path << "\n";
      return 1;
    }
    std::cout << path.string() << "\n";
  }
  return 0;
}
