// The window icon: a little round clock face on a transparent ground.
#pragma once

#include "resources/generator/icon_encoder.h"

namespace artwork {

// 32 x 32, 24-bit colour with a transparency mask: a black face with a green rim and green
// marks at 12, 3, 6 and 9, green hands to 12 and to half past four, a red hand to 9 and an
// olive ring at the centre.
IconImage DrawWindowIcon();

}  // namespace artwork
