// The two clock sizes and the elliptical, layered window they shape.
#include "app/duzezezi.h"

namespace vestrel {

using namespace forms;

struct duzezezi::SizePreset {
  Single form_width, form_height;  // twips
  Single label_top, label_left;    // units of the face surface
  Integer label_font_size;         // points
  Single label_width, label_height;
  Boolean is_large;
  Byte hour_length, minute_length, second_length;  // hand canvas pixels
  Byte hour_width, minute_width, second_width;     // widest pen of each hand
  Boolean max_checked, low_checked;
  const char* size_setting;
};

namespace {
constexpr Long kExtendedStyle = -20;
constexpr Long kLayeredStyle = 0x80000;
}  // namespace

void duzezezi::Max_Click() {
  static constexpr SizePreset kLarge{2550, 2610, 64, 60, 36, 48,   48,    True, 150,
                                     200,  230,  23, 15, 11, True, False, "0"};
  ApplySizePreset(kLarge);
}

void duzezezi::Low_Click() {
  static constexpr SizePreset kSmall{1620, 1650, 39, 38, 23, 36,    36,   False, 100,
                                     130,  147,  17, 11, 9,  False, True, "1"};
  ApplySizePreset(kSmall);
}

void duzezezi::ApplySizePreset(const SizePreset& preset) {
  SetWidth(preset.form_width);
  SetHeight(preset.form_height);
  Label1.SetTop(preset.label_top);
  Label1.SetLeft(preset.label_left);
  Label1.SetFontSize(preset.label_font_size);
  Label1.SetWidth(preset.label_width);
  Label1.SetHeight(preset.label_height);
  IsLarge = preset.is_large;
  HourLength = preset.hour_length;
  MinuteLength = preset.minute_length;
  SecondLength = preset.second_length;
  HourWidth = preset.hour_width;
  MinuteWidth = preset.minute_width;
  SecondWidth = preset.second_width;
  ApplyClockSize();
  Max.SetChecked(preset.max_checked);
  Low.SetChecked(preset.low_checked);
  SizeSetting = preset.size_setting;
}

void duzezezi::ApplyClockSize() {
  Pic2.SetPicture(nullptr);
  Pic2.SetPicture(IsLarge == True ? Bk.GetPicture() : Bk2.GetPicture());
  CenterX = CLng(Pic1.Width() / 2.0);
  CenterY = CLng(Pic1.Height() / 2.0);
  ApplyTopMost();

  // The ellipse inscribed in the window; once set, the region belongs to the window.
  const Long width = CLng(static_cast<Double>(Width()) / Screen.TwipsPerPixelX());
  const Long height = CLng(static_cast<Double>(Height()) / Screen.TwipsPerPixelY());
  RegionHandle = CreateRoundRectRgn(0, 0, width, height, width, height);
  SetWindowRgn(hWnd(), RegionHandle, True);

  const Long style = GetWindowLongA(hWnd(), kExtendedStyle);
  SetWindowLongA(hWnd(), kExtendedStyle, style | kLayeredStyle);
}

}  // namespace vestrel
