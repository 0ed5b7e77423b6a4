#include "platform/form.h"

#include "platform/numbers.h"
#include "platform/runtime.h"
#include "platform/runtime_error.h"

namespace forms {

Form::Form(Runtime& runtime) : runtime_(runtime) {}

int Form::ToPixelsX(Single twips) const {
  return CLng(static_cast<Double>(twips) / runtime_.screen().twips_per_pixel_x);
}
int Form::ToPixelsY(Single twips) const {
  return CLng(static_cast<Double>(twips) / runtime_.screen().twips_per_pixel_y);
}

PixelPoint Form::LiveOrigin() const {
  if (const std::optional<PixelPoint> origin = runtime_.host().WindowOrigin()) return *origin;
  return {left_px_, top_px_};
}

void Form::FollowOrigin() {
  const PixelPoint origin = LiveOrigin();
  left_px_ = origin.x;
  top_px_ = origin.y;
}

Single Form::Left() const {
  return LiveOrigin().x * runtime_.screen().twips_per_pixel_x;
}
Single Form::Top() const {
  return LiveOrigin().y * runtime_.screen().twips_per_pixel_y;
}
Single Form::Width() const {
  return width_px_ * runtime_.screen().twips_per_pixel_x;
}
Single Form::Height() const {
  return height_px_ * runtime_.screen().twips_per_pixel_y;
}

void Form::SetLeft(Single twips) {
  FollowOrigin();
  left_px_ = ToPixelsX(twips);
  Place();
}
void Form::SetTop(Single twips) {
  FollowOrigin();
  top_px_ = ToPixelsY(twips);
  Place();
}
void Form::SetWidth(Single twips) {
  FollowOrigin();
  width_px_ = ToPixelsX(twips);
  if (width_px_ < 0) Raise(ErrorNumber::kInvalidPropertyValue);
  Place();
}
void Form::SetHeight(Single twips) {
  FollowOrigin();
  height_px_ = ToPixelsY(twips);
  if (height_px_ < 0) Raise(ErrorNumber::kInvalidPropertyValue);
  Place();
}

void Form::SetDesignBounds(Single left, Single top, Single width, Single height) {
  left_px_ = ToPixelsX(left);
  top_px_ = ToPixelsY(top);
  width_px_ = ToPixelsX(width);
  height_px_ = ToPixelsY(height);
  Place();
}

void Form::Place() {
  runtime_.host().PlaceWindow(left_px_, top_px_, width_px_, height_px_);
}

Long Form::hWnd() const {
  return runtime_.host().WindowHandle();
}

void Form::PopupMenu(Menu& menu) {
  runtime_.PopupMenu(menu);
}

}  // namespace forms
