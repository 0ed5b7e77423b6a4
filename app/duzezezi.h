// The clock form: its controls, its state and its sixteen procedures. The procedures are
// defined next to the concern they serve (app/, clock/, window/, countdown/).
#pragma once

#include <array>
#include <string>

#include "app/clock_form_state.h"
#include "platform/forms.h"

namespace vestrel {

using forms::Integer;
using forms::Single;

class duzezezi : public forms::Form, private ClockFormState {
 public:
  explicit duzezezi(forms::Runtime& runtime);

  const ClockFormState& State() const { return *this; }

  // Controls, in creation order.
  forms::Timer Timer2;
  forms::PictureBox Pic2;
  forms::Label Label1;
  forms::CanvasBox Pic1;
  forms::Timer Timer1;
  forms::ImageHolder Bk2;
  forms::ImageHolder Bk;
  // The popup menu and its items.
  forms::MenuItem Menu;
  forms::MenuItem bar;
  std::array<forms::MenuItem, 3> timerN;
  forms::MenuItem Max;
  forms::MenuItem Low;
  forms::MenuItem TopSet;
  forms::MenuItem Cre;
  forms::Menu MenuBar;

  // --- The procedures.
  void Form_Load();

 private:
  void ApplyTopMost();
  void ApplyClockSize();

 public:
  void Form_Unload(Integer& Cancel);
  void Label1_Click();
  void Pic2_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
  void Pic2_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
  void Menu_Click();
  void TopSet_Click();
  void Max_Click();
  void Low_Click();
  void Cre_Click();
  void Pic2_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
  void Timer2_Timer();
  void timerN_Click(Integer Index);
  void Timer1_Timer();

 private:
  struct SizePreset;
  void ApplySizePreset(const SizePreset& preset);
  std::string SettingsHome();
  void ReadSettings();
  void WriteSettings();
  void ToggleOpacity();
  void SilenceAlarm();

  // --- Event routing.
  void OnLoad() override { Form_Load(); }
  void OnUnload(Integer& cancel) override { Form_Unload(cancel); }
  void OnTimer(const forms::Timer& timer) override;
  void OnLabelClick(const forms::Label&) override { Label1_Click(); }
  void OnMenuClick(const forms::MenuItem& item) override;
  void OnMouse(forms::MouseAction action, Integer button, Integer shift, Single x,
               Single y) override;
  forms::PictureBox& VisibleSurface() override { return Pic2; }
  forms::Label& SurfaceLabel() override { return Label1; }
};

// Window opacity for a transparency percentage: 255 - w / 100 * 255, rounded ties to even.
forms::Byte AlphaForTransparency(double percent);

}  // namespace vestrel
