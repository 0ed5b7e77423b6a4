#include "platform/raster/layer_cache.h"

namespace raster {

const HandLayer& LayerCache::Get(std::span<const HandLayer::Stroke> strokes, const HandLayer* hint,
                                 const ShrinkMap& map, PenDiscCache& discs) {
  if (hint != nullptr && hint->Matches(strokes)) {
    hint->last_used = frame_;
    return *hint;
  }
  std::size_t oldest = 0;
  for (std::size_t i = 0; i < layers_.size(); ++i) {
    if (layers_[i]->Matches(strokes)) {
      layers_[i]->last_used = frame_;
      return *layers_[i];
    }
    if (layers_[i]->last_used < layers_[oldest]->last_used) oldest = i;
  }
  auto made = std::make_unique<HandLayer>(strokes, map, discs);
  made->last_used = frame_;
  if (layers_.size() < kCapacity || layers_[oldest]->last_used + 1 >= frame_) {
    layers_.push_back(std::move(made));
    return *layers_.back();
  }
  layers_[oldest] = std::move(made);
  return *layers_[oldest];
}

}  // namespace raster
