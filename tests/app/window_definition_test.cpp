// The window as created, before the load event changes anything.
#include "clock_fixture.h"

namespace vestrel {
namespace {

class Design : public testing::ClockTest {
 protected:
  void SetUp() override {
    runtime_ = std::make_unique<forms::Runtime>(host);
    form_ = std::make_unique<duzezezi>(*runtime_);
  }
  std::unique_ptr<forms::Runtime> runtime_;
  std::unique_ptr<duzezezi> form_;
};

TEST_F(Design, ControlsStartWithTheirDesignValues) {
  duzezezi& f = *form_;
  EXPECT_EQ(f.Label1.Caption(), "●");
  EXPECT_EQ(f.Label1.Left(), 60);
  EXPECT_EQ(f.Label1.Top(), 64);
  EXPECT_EQ(f.Label1.Width(), 48);
  EXPECT_EQ(f.Label1.Height(), 47);
  EXPECT_EQ(f.Label1.FontName(), "ＭＳ Ｐ明朝");
  EXPECT_EQ(f.Label1.FontSize(), 36);
  EXPECT_EQ(f.Label1.ForeColor(), 0u);
  EXPECT_EQ(f.Label1.Tag(), "");
  EXPECT_EQ(f.Timer2.Tag(), "");
  EXPECT_EQ(f.Pic1.Width(), 487);
  EXPECT_EQ(f.Pic1.Height(), 468);
  EXPECT_EQ(f.Pic2.surface().width(), 174);
  EXPECT_EQ(f.Pic2.surface().height(), 176);
  EXPECT_EQ(f.Bk.GetPicture()->width(), 170);
  EXPECT_EQ(f.Bk.GetPicture()->height(), 173);
  EXPECT_EQ(f.Bk2.GetPicture()->width(), 108);
  EXPECT_EQ(f.Bk2.GetPicture()->height(), 109);
  EXPECT_EQ(f.Timer1.Interval(), 100);
  EXPECT_TRUE(f.Timer1.Enabled());
  EXPECT_EQ(f.Timer2.Interval(), 0);
  EXPECT_TRUE(f.Timer2.Enabled());
  // The design client area: 7, 7, 671 x 515 pixels.
  EXPECT_EQ(host.window.left, 7);
  EXPECT_EQ(host.window.top, 7);
  EXPECT_EQ(host.window.width, 671);
  EXPECT_EQ(host.window.height, 515);
  EXPECT_FALSE(host.window.visible);
  EXPECT_EQ(f.MenuBar.caption, "システム");
  ASSERT_EQ(f.MenuBar.items.size(), 9u);
  EXPECT_TRUE(f.Max.Checked());
  EXPECT_TRUE(f.TopSet.Checked());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.timerN[i].Index(), i);
  EXPECT_FALSE(f.Menu.Index().has_value());
}

}  // namespace
}  // namespace vestrel
