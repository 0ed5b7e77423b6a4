// Window regions by handle, as the logic creates and hands them to the window. A region
// belongs to the table until it is set on the window; the window then owns it and releases
// it when it is replaced or removed.
#pragma once

#include <QRegion>
#include <map>
#include <optional>

#include "platform/types.h"

namespace qt_host {

class WindowRegions {
 public:
  // The ellipse inscribed in the rectangle (x1, y1)-(x2, y2), in window pixels: the program
  // asks only for corner ellipses as large as the rectangle, so the corner sizes are not read.
  forms::Long CreateEllipse(forms::Long x1, forms::Long y1, forms::Long x2, forms::Long y2);

  // Makes `handle` the window's region, releasing the one it replaces. The shape to apply,
  // or none when the handle is unknown (0 included): the window then has no region.
  std::optional<QRegion> SetWindowRegion(forms::Long handle);

  // The window is gone: its region is released.
  void ReleaseWindowRegion();

 private:
  std::map<forms::Long, QRegion> regions_;
  forms::Long window_region_ = 0;
  forms::Long next_handle_ = 0x2001;
};

}  // namespace qt_host
