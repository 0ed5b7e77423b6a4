// The two mouse pointers of the clock.
#pragma once

#include "resources/generator/icon_encoder.h"

namespace artwork {

// The pointer over the face: a white gloved hand with grey shading, index finger up, on a
// blue cuff. 32 x 32, 16 colours; the fingertip is at kHandHotspot.
IconImage DrawHandCursor();
inline constexpr Hotspot kHandHotspot{12, 1};

// The pointer over the centre dot: a black ring, a white ring inside it and a small ring at
// the centre that inverts the screen. 32 x 32, two colours, centred on kTargetHotspot.
IconImage DrawTargetCursor();
inline constexpr Hotspot kTargetHotspot{15, 15};

}  // namespace artwork
