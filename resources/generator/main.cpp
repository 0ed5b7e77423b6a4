// Draws the clock's artwork into a folder:
//   vestrel_artwork_generator <output folder>
// Run it on resources/art to refresh the committed files after changing the drawing code.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "resources/generator/artwork.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "cannot create %s: %s\n", folder.string().c_str(),
                 error.message().c_str());
    return 1;
  }
  for (const artwork::ArtFile& file : artwork::DrawArtwork()) {
    const std::filesystem::path path = folder / file.name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.bytes.data()),
              static_cast<std::streamsize>(file.bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
