#include "app/duzezezi.h"

#include "platform/picture_files/bmp.h"
#include "platform/runtime.h"
#include "resources/assets.h"
#include "resources/window_definition.h"

namespace vestrel {
namespace design = resources::design;
namespace {

int Pixels(double twips, Single twips_per_pixel) {
  return forms::CLng(twips / twips_per_pixel);
}

forms::Picture Face(resources::Asset asset) {
  return forms::LoadPicture(raster::DecodeBmp(resources::AssetBytes(asset)));
}

forms::MenuItem DesignItem(int place) {
  const design::MenuEntry& entry = design::kMenuItems[place];
  return entry.index < 0 ? forms::MenuItem(std::string(entry.caption), entry.checked)
                         : forms::MenuItem(std::string(entry.caption), entry.checked,
                                           static_cast<Integer>(entry.index));
}

}  // namespace

duzezezi::duzezezi(forms::Runtime& runtime)
    : Form(runtime),
      Timer2(runtime, design::kTimer2Interval, true),
      Pic2(runtime,
           Pixels(design::kPic2.width, runtime.screen().twips_per_pixel_x) -
               2 * design::kPic2FramePixels,
           Pixels(design::kPic2.height, runtime.screen().twips_per_pixel_y) -
               2 * design::kPic2FramePixels,
           design::kPic2BackColour, design::kPic2ForeColour,
           design::kSurfaceTwipsPerUnit / runtime.screen().twips_per_pixel_x),
      Label1(runtime, std::string(design::kLabel1Caption), std::string(design::kLabel1FontName),
             design::kLabel1FontSize, design::kLabel1ForeColour, design::kLabel1.left,
             design::kLabel1.top, design::kLabel1.width, design::kLabel1.height),
      Pic1(runtime, Pixels(design::kPic1.width, runtime.screen().twips_per_pixel_x),
           Pixels(design::kPic1.height, runtime.screen().twips_per_pixel_y)),
      Timer1(runtime, design::kTimer1Interval, true),
      Bk2(Face(resources::Asset::kFaceSmall)),
      Bk(Face(resources::Asset::kFaceLarge)),
      Menu(DesignItem(0)),
      bar(DesignItem(1)),
      timerN{DesignItem(2), DesignItem(3), DesignItem(4)},
      Max(DesignItem(5)),
      Low(DesignItem(6)),
      TopSet(DesignItem(7)),
      Cre(DesignItem(8)),
      MenuBar{std::string(design::kMenuBarCaption),
              {&Menu, &bar, &timerN[0], &timerN[1], &timerN[2], &Max, &Low, &TopSet, &Cre}} {
  SetDesignBounds(design::kFormClientArea.left, design::kFormClientArea.top,
                  design::kFormClientArea.width, design::kFormClientArea.height);
  // Timer1_Timer draws only when the time of day, to the second, differs from the time last
  // drawn; its other ticks change nothing.
  runtime.TimerActsOnSecondChange(Timer1);
}

void duzezezi::OnTimer(const forms::Timer& timer) {
  if (&timer == &Timer1) {
    Timer1_Timer();
  } else if (&timer == &Timer2) {
    Timer2_Timer();
  }
}

void duzezezi::OnMenuClick(const forms::MenuItem& item) {
  if (&item == &Menu) {
    Menu_Click();
  } else if (&item == &Max) {
    Max_Click();
  } else if (&item == &Low) {
    Low_Click();
  } else if (&item == &TopSet) {
    TopSet_Click();
  } else if (&item == &Cre) {
    Cre_Click();
  } else if (item.Index()) {
    timerN_Click(*item.Index());
  }
}

void duzezezi::OnMouse(forms::MouseAction action, Integer button, Integer shift, Single x,
                       Single y) {
  switch (action) {
    case forms::MouseAction::kDown:
      Pic2_MouseDown(button, shift, x, y);
      break;
    case forms::MouseAction::kMove:
      Pic2_MouseMove(button, shift, x, y);
      break;
    case forms::MouseAction::kUp:
      Pic2_MouseUp(button, shift, x, y);
      break;
  }
}

}  // namespace vestrel
