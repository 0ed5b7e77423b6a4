#include "platform/qt/window_regions.h"

#include <algorithm>

namespace qt_host {

forms::Long WindowRegions::CreateRoundRect(forms::Long x1, forms::Long y1, forms::Long x2,
                                           forms::Long y2, forms::Long corner_width,
                                           forms::Long corner_height) {
  const QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                          QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
  QRegion shape;
  if (corner_width >= box.width() && corner_height >= box.height()) {
    shape = QRegion(box, QRegion::Ellipse);
  } else {
    // Rounded corners: the rectangle less its corners, each corner a quarter ellipse.
    const int cw = std::max(0, corner_width), ch = std::max(0, corner_height);
    shape =
        QRegion(box.adjusted(cw / 2, 0, -cw / 2, 0)) + QRegion(box.adjusted(0, ch / 2, 0, -ch / 2));
    const QRect corner(0, 0, cw, ch);
    shape += QRegion(corner.translated(box.topLeft()), QRegion::Ellipse);
    shape += QRegion(corner.translated(box.right() + 1 - cw, box.top()), QRegion::Ellipse);
    shape += QRegion(corner.translated(box.left(), box.bottom() + 1 - ch), QRegion::Ellipse);
    shape +=
        QRegion(corner.translated(box.right() + 1 - cw, box.bottom() + 1 - ch), QRegion::Ellipse);
  }
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
