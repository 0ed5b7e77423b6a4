#include "platform/qt/label_watch.h"

namespace qt_host {

bool LabelWatch::Changed(const forms::Label& label) {
  if (seen_ && label.Caption() == caption_ && label.FontName() == font_name_ &&
      label.FontSize() == font_size_ && label.ForeColor() == colour_ && label.Left() == left_ &&
      label.Top() == top_ && label.Width() == width_ && label.Height() == height_) {
    return false;
  }
  seen_ = true;
  caption_ = label.Caption();
  font_name_ = label.FontName();
  font_size_ = label.FontSize();
  colour_ = label.ForeColor();
  left_ = label.Left();
  top_ = label.Top();
  width_ = label.Width();
  height_ = label.Height();
  return true;
}

}  // namespace qt_host
