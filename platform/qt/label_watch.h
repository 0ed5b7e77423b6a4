// Notices when the label control's properties change. The runtime's view of the label
// carries strings; building it at every drawing call of every frame would allocate for
// nothing, so the host rebuilds it only when the control itself changed.
#pragma once

#include <string>

#include "platform/controls.h"

namespace qt_host {

class LabelWatch {
 public:
  // Whether anything drawn of `label` differs from the last call (true the first time).
  bool Changed(const forms::Label& label);

 private:
  bool seen_ = false;
  std::string caption_;
  std::string font_name_;
  forms::Integer font_size_ = 0;
  forms::Colour colour_ = 0;
  forms::Single left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

}  // namespace qt_host
