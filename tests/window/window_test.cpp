// Sizes and shape, stacking, transparency, dragging and the popup menu (the version box it
// opens is checked end to end).
#include "clock_fixture.h"

namespace vestrel {
namespace {

using testing::ClockTest;
using ::testing::ElementsAre;

class Window : public ClockTest {
 protected:
  void SetUp() override { StartAt(10, 0, 0); }
  std::vector<std::string> TakeCalls() {
    std::vector<std::string> calls = std::move(host.calls);
    host.calls.clear();
    return calls;
  }
  // The window's alpha values set since the last call, in order.
  std::vector<int> Alphas() {
    std::vector<int> alphas;
    for (const std::string& call : TakeCalls()) {
      if (!call.starts_with("SetLayeredWindowAttributes(")) continue;
      const std::size_t end = call.rfind(',');
      alphas.push_back(std::stoi(call.substr(call.rfind(',', end - 1) + 1)));
    }
    return alphas;
  }
};

// A size switch replaces the window's shape in this order of native calls, and the "●" stays
// over the hands' pivot, inside the face.
TEST_F(Window, SizeSwitchesReshapeTheWindowAndKeepTheDotOnThePivot) {
  TakeCalls();
  const struct {
    int place;
    int width, height;
    double pivot_x, pivot_y;  // the dial centre on the face
  } cases[] = {
      {testing::kSmaller, 108, 110, 52.5, 54.5},
      {testing::kSmaller, 108, 110, 52.5, 54.5},
      {testing::kLarger, 170, 174, 83.5, 86.5},
  };
  for (const auto& c : cases) {
    const auto regions_before = host.regions.size();
    ChooseMenu(c.place);
    const std::string w = std::to_string(c.width), h = std::to_string(c.height);
    const std::string region = std::to_string(host.window.region);
    EXPECT_THAT(TakeCalls(),
                ElementsAre("TrackPopupMenu(9)", "SetWindowPos(4097,-1,0,0,0,0,67)",
                            "CreateRoundRectRgn(0,0," + w + "," + h + "," + w + "," + h + ")",
                            "SetWindowRgn(4097," + region + ",-1)", "GetWindowLongA(4097,-20)",
                            "SetWindowLongA(4097,-20,524288)"));
    EXPECT_EQ(host.regions.size(), regions_before);  // the replaced region was released
    EXPECT_EQ(std::pair(host.window.width, host.window.height), std::pair(c.width, c.height));
    EXPECT_EQ(host.window.alpha, 128);  // a size switch sets no alpha
    const raster::Rect dot = runtime().Label().box;
    const auto& face = *(state().IsLarge ? form().Bk : form().Bk2).GetPicture();
    EXPECT_TRUE(dot.left > 0 && dot.top > 0 && dot.right() < face.width() &&
                dot.bottom() < face.height());
    EXPECT_TRUE(dot.left < c.pivot_x && c.pivot_x < dot.right() && dot.top < c.pivot_y &&
                c.pivot_y < dot.bottom());
  }
}

TEST_F(Window, IndicatorMakesOpaqueAtOnceAndFadesBackIn26Steps) {
  TakeCalls();
  const std::int64_t before = host.now();
  ClickIndicator();
  EXPECT_THAT(Alphas(), ElementsAre(255));
  EXPECT_EQ(host.now(), before);

  ClickIndicator();
  EXPECT_THAT(Alphas(),
              ElementsAre(255, 250, 245, 240, 235, 230, 224, 219, 214, 209, 204, 199, 194, 189, 184,
                          178, 173, 168, 163, 158, 153, 148, 143, 138, 133, 128));
  EXPECT_EQ(host.now() - before, 260);  // 10 ms a step
}

// A left drag moves the window (checked with the window manager's moves and end to end);
// other buttons, or none, do not.
TEST_F(Window, OnlyTheLeftButtonAloneDrags) {
  host.PostMouseDown(forms::kLeftButton, 20, 30);
  for (forms::Integer buttons : {0, 2, 3, 4}) {
    host.PostMouseMove(buttons, 90, 90);
    host.RunPending();
    EXPECT_EQ(std::pair(host.window.left, host.window.top), std::pair(0, 0)) << buttons;
  }
}

TEST_F(Window, APressOnTheIndicatorBelongsToIt) {
  const raster::Rect box = runtime().Label().box;
  host.menu_choices.push_back(testing::kVersion);
  host.PostMouseDown(forms::kRightButton, box.left + 5, box.top + 5);
  host.PostMouseDown(forms::kLeftButton, box.left + 5, box.top + 5);
  host.PostMouseMove(forms::kLeftButton, box.left - 40, box.top - 40);
  host.PostMouseUp(forms::kLeftButton, box.left - 40, box.top - 40);
  host.RunPending();
  EXPECT_EQ(host.window.left, 0);
  EXPECT_EQ(host.window.top, 0);
  EXPECT_TRUE(host.messages.empty());  // no menu, so the version box was not chosen
  EXPECT_EQ(form().Label1.Tag(), "");  // released outside: no click
  EXPECT_EQ(runtime().CursorAt(box.left, box.top), forms::Cursor::kTarget);
  EXPECT_EQ(runtime().CursorAt(box.right(), box.top), forms::Cursor::kPointingHand);
}

TEST_F(Window, PopupMenuListsTheNineItemsWithTheirMarks) {
  std::vector<forms::PopupItem> shown;
  host.on_popup = [&](const std::vector<forms::PopupItem>& items) { shown = items; };
  host.PostMouseDown(forms::kMiddleButton, 20, 20);  // the middle button does nothing
  host.RunPending();
  EXPECT_TRUE(shown.empty());
  ChooseMenu(testing::kSmaller);
  ASSERT_EQ(shown.size(), 9u);
  const char* captions[] = {"終了",   "-",      "3分ﾀｲﾏｰ",    "4分ﾀｲﾏｰ",    "5分ﾀｲﾏｰ",
                            "大きく", "小さく", "最前面表示", "ﾊﾞｰｼﾞｮﾝ情報"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(shown[i].caption, captions[i]);
    EXPECT_EQ(shown[i].separator, i == 1);
    EXPECT_EQ(shown[i].checked, i == 5 || i == 7) << i;
  }
  host.menu_choices.push_back(std::nullopt);  // dismissed: nothing runs
  host.PostMouseDown(forms::kRightButton, 20, 20);
  host.RunPending();
  EXPECT_TRUE(shown[6].checked);
  EXPECT_FALSE(shown[5].checked);
  EXPECT_EQ(host.window.width, 108);
}

}  // namespace
}  // namespace vestrel
