#include "platform/controls.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/numbers.h"
#include "platform/runtime.h"
#include "platform/runtime_error.h"

namespace forms {

Picture LoadPicture(raster::Image image) {
  return std::make_shared<const raster::Image>(std::move(image));
}

// --- CanvasBox

namespace {

struct HexColour {
  Colour value;
};

void AppendArgument(std::string& text, double value) {
  text += Str(value);
}
void AppendArgument(std::string& text, std::string_view value) {
  text += value;
}
void AppendArgument(std::string& text, HexColour colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "&H%X", colour.value);
  text += buffer;
}
void AppendArgument(std::string& text, const Picture& picture) {
  text += picture ? std::to_string(picture->width()) + "x" + std::to_string(picture->height())
                  : "nothing";
}

// Describes a drawing operation to hosts that record them; others pay only for the check.
template <typename... Args>
void Trace(Runtime& runtime, const char* name, const Args&... args) {
  Host& host = runtime.host();
  if (!host.tracing()) return;
  std::string text = name;
  text += '(';
  [[maybe_unused]] const char* separator = "";
  ((text += separator, AppendArgument(text, args), separator = ","), ...);
  text += ')';
  host.Trace(std::move(text));
}

}  // namespace

CanvasBox::CanvasBox(Runtime& runtime, int width_px, int height_px)
    : runtime_(runtime), canvas_(width_px, height_px) {}

void CanvasBox::SetPicture(std::nullptr_t) {
  Trace(runtime_, "Picture", Picture());
  canvas_.Clear();
}

void CanvasBox::Cls() {
  Trace(runtime_, "Cls");
  canvas_.Clear();
}

void CanvasBox::SetDrawWidth(Integer width) {
  if (width < 1) Raise(ErrorNumber::kInvalidPropertyValue);
  Trace(runtime_, "DrawWidth", static_cast<double>(width));
  draw_width_ = width;
}

void CanvasBox::Line(Single x1, Single y1, Single x2, Single y2, Colour colour) {
  Trace(runtime_, "Line", double{x1}, double{y1}, double{x2}, double{y2}, HexColour{colour});
  canvas_.Line(CLng(x1), CLng(y1), CLng(x2), CLng(y2), draw_width_,
               raster::FromColourRef(colour & 0xFFFFFFu));
}

// --- PictureBox

PictureBox::PictureBox(Runtime& runtime, int width_px, int height_px, Colour back_colour,
                       Colour fore_colour, double pixels_per_unit)
    : runtime_(runtime),
      surface_(width_px, height_px, raster::FromColourRef(back_colour)),
      fore_colour_(fore_colour),
      pixels_per_unit_(pixels_per_unit) {}

int PictureBox::ToPixels(Single units) const {
  return CLng(units * pixels_per_unit_);
}

void PictureBox::SetPicture(Picture picture) {
  Trace(runtime_, "Picture", picture);
  surface_.SetPicture(std::move(picture));
  runtime_.SurfaceChanged();
}

void PictureBox::PaintPicture(const raster::StrokeCanvas& picture, Single x1, Single y1,
                              Single width1, Single height1, Single x2, Single y2, Single width2,
                              Single height2, Long opcode) {
  if (opcode != kSrcPaint) Raise(ErrorNumber::kInvalidProcedureCall);
  Trace(runtime_, "PaintPicture", double{x1}, double{y1}, double{width1}, double{height1},
        double{x2}, double{y2}, double{width2}, double{height2},
        HexColour{static_cast<Colour>(opcode)});
  const raster::Rect dst{ToPixels(x1), ToPixels(y1), ToPixels(width1), ToPixels(height1)};
  const raster::Rect src{ToPixels(x2), ToPixels(y2), ToPixels(width2), ToPixels(height2)};
  if (dst.empty() || src.empty()) return;
  surface().PaintOr(picture, dst, src);
  runtime_.SurfaceChanged();
}

void PictureBox::Print(std::string_view text) {
  Trace(runtime_, "Print", double{current_x_}, double{current_y_}, text);
  const TextExtent extent =
      runtime_.host().DrawText(surface().canvas(), ToPixels(current_x_), ToPixels(current_y_), text,
                               raster::FromColourRef(fore_colour_));
  surface().MarkDrawn(extent.drawn);
  current_x_ = 0;
  current_y_ += static_cast<Single>(extent.line_height / pixels_per_unit_);
  runtime_.SurfaceChanged();
}

// --- Label

Label::Label(Runtime& runtime, std::string caption, std::string font_name, Integer font_size,
             Colour fore_colour, Single left, Single top, Single width, Single height)
    : runtime_(runtime),
      caption_(std::move(caption)),
      font_name_(std::move(font_name)),
      font_size_(font_size),
      fore_colour_(fore_colour),
      left_(left),
      top_(top),
      width_(width),
      height_(height) {}

void Label::Changed() {
  runtime_.SurfaceChanged();
}

void Label::SetForeColor(Colour colour) {
  fore_colour_ = colour;
  Changed();
}
void Label::SetLeft(Single v) {
  left_ = v;
  Changed();
}
void Label::SetTop(Single v) {
  top_ = v;
  Changed();
}
void Label::SetWidth(Single v) {
  if (v < 0) Raise(ErrorNumber::kInvalidPropertyValue);
  width_ = v;
  Changed();
}
void Label::SetHeight(Single v) {
  if (v < 0) Raise(ErrorNumber::kInvalidPropertyValue);
  height_ = v;
  Changed();
}
void Label::SetFontSize(Integer points) {
  if (points <= 0) Raise(ErrorNumber::kInvalidPropertyValue);
  font_size_ = points;
  Changed();
}

// --- Timer

Timer::Timer(Runtime& runtime, Long interval, bool enabled)
    : runtime_(runtime), index_(runtime.AddTimer(*this)), interval_(interval), enabled_(enabled) {
  Arm();
}

void Timer::Arm() {
  runtime_.TimerChanged(*this);
}

void Timer::SetInterval(Long milliseconds) {
  if (milliseconds < 0) Raise(ErrorNumber::kInvalidPropertyValue);
  interval_ = milliseconds;
  Arm();
}

void Timer::SetEnabled(Boolean enabled) {
  enabled_ = enabled != False;
  Arm();
}

}  // namespace forms
