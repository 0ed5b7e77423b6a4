// The window icon: a little round clock face on a transparent ground.
#pragma once

#include <string>
#include <vector>

#include "resources/generator/icon_encoder.h"

namespace artwork {

// 32 x 32, 24-bit colour with a transparency mask: a black face with a green rim and green
// marks at 12, 3, 6 and 9, green hands to 12 and to half past four, a red hand to 9 and an
// olive ring at the centre.
IconImage DrawWindowIcon();

// The same face `size` pixels square, 32-bit with a smooth alpha edge (and the mask set where
// the alpha is 0), for icon files and desktop icon themes.
IconImage DrawWindowIconWithAlpha(int size);

// The sizes of the alpha images in vestrel.ico and of the PNG icons for desktop menus.
inline const std::vector<int> kIconFileSizes = {16, 32, 48, 256};
inline const std::vector<int> kDesktopIconSizes = {16, 24, 32, 48, 64, 128, 256};

// The same face as scalable vector graphics, for icon themes' "scalable" folder.
std::string DrawWindowIconSvg();

}  // namespace artwork
