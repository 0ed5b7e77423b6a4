#include "platform/qt/window_regions.h"

#include <algorithm>

namespace qt_host {

forms::Long WindowRegions::CreateEllipse(forms::Long x1, forms::Long y1, forms::Long x2,
                                         forms::Long y2) {
  const QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                          QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
  const QRegion shape(box, QRegion::Ellipse);
  const forms::Long handle = next_handle_++;
  regions_.emplace(handle, shape);
  return handle;
}

std::optional<QRegion> WindowRegions::SetWindowRegion(forms::Long handle) {
  if (window_region_ != 0 && window_region_ != handle) regions_.erase(window_region_);
  const auto it = regions_.find(handle);
  if (it == regions_.end()) {
    window_region_ = 0;
    return std::nullopt;
  }
  window_region_ = handle;
  return it->second;
}

void WindowRegions::ReleaseWindowRegion() {
  if (window_region_ != 0) regions_.erase(window_region_);
  window_region_ = 0;
}

}  // namespace qt_host
