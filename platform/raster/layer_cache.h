// The layers of recent frames, so that a hand that did not move, or a second hand back at a
// position it had a minute ago, costs a lookup instead of its sums.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/raster/hand_layer.h"

namespace raster {

class LayerCache {
 public:
  // Room for the sixty second-hand positions and the other hands.
  static constexpr std::size_t kCapacity = 72;

  // The layer for these strokes, made if needed; `hint` (a layer of the last frame, or null)
  // is tried first. Layers used in this frame or the one before are never replaced, so
  // pointers to them stay valid until the frame after next.
  const HandLayer& Get(std::span<const HandLayer::Stroke> strokes, const HandLayer* hint,
                       const ShrinkMap& map, PenDiscCache& discs);
  void NextFrame() { ++frame_; }
  void Clear() { layers_.clear(); }

 private:
  std::vector<std::unique_ptr<HandLayer>> layers_;
  std::uint64_t frame_ = 2;
};

}  // namespace raster
