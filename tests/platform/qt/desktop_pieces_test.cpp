// The Linux host's answers to ordinary desktops: the platform it picks, the fonts of the
// captions and the minutes, and the buttons the popup menu ignores.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <array>
#include <optional>
#include <string>

#include "platform/qt/caption_fonts.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/text_drawing.h"
#include "platform/qt/x11_session.h"

namespace qt_host {
namespace {

const QString kMenuCaptions = QStringLiteral("終了3分ﾀｲﾏｰ大きく小さく最前面表示ﾊﾞｰｼﾞｮﾝ情報");

// Sets an environment variable for the life of the object, then puts back what was there.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<QByteArray> value)
      : name_(name),
        saved_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
    Set(value);
  }
  ~ScopedVariable() { Set(saved_); }

 private:
  void Set(const std::optional<QByteArray>& value) {
    if (value) {
      qputenv(name_, *value);
    } else {
      qunsetenv(name_);
    }
  }
  const char* name_;
  std::optional<QByteArray> saved_;
};

TEST(X11Session, X11UnlessTheUserChoseAPlatform) {
  char program[] = "vestrel", option[] = "-platform", wayland[] = "wayland";
  char* bare[] = {program, nullptr};
  char* with_argument[] = {program, option, wayland, nullptr};
  const struct {
    std::optional<QByteArray> variable;
    bool argument;
    std::optional<QByteArray> chosen;
  } cases[] = {{std::nullopt, false, "xcb"},
               {"wayland", false, "wayland"},
               {std::nullopt, true, std::nullopt}};
  for (const auto& c : cases) {
    const ScopedVariable platform("QT_QPA_PLATFORM", c.variable);
    c.argument ? PreferX11(3, with_argument) : PreferX11(1, bare);
    EXPECT_EQ(qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
                  ? std::optional(qgetenv("QT_QPA_PLATFORM"))
                  : std::nullopt,
              c.chosen);
  }
}

TEST(X11Session, AnUnreachableDisplayIsOneClearMessage) {
  char program[] = "vestrel", option[] = "-platform", offscreen[] = "offscreen";
  char* bare[] = {program, nullptr};
  char* with_argument[] = {program, option, offscreen, nullptr};
  const ScopedVariable display("DISPLAY", ":97");  // no server listens there
  {
    const ScopedVariable platform("QT_QPA_PLATFORM", "xcb");
    const std::string problem = X11Problem(1, bare);
    EXPECT_NE(problem.find("needs X11 or XWayland"), std::string::npos) << problem;
    EXPECT_NE(problem.find("\":97\""), std::string::npos) << problem;
    EXPECT_EQ(problem.find('\n'), std::string::npos) << "one line";
    // The argument wins over the variable, as in Qt.
    EXPECT_EQ(X11Problem(3, with_argument), "");
  }
  // With options xcb still needs the display; other platforms need none.
  for (const auto& [name, needs_x] : {std::pair{"xcb:someoption", true}, {"offscreen", false}}) {
    const ScopedVariable platform("QT_QPA_PLATFORM", name);
    EXPECT_EQ(X11Problem(1, bare).empty(), !needs_x) << name;
  }
  const ScopedVariable platform("QT_QPA_PLATFORM", "xcb");
  const ScopedVariable no_display("DISPLAY", std::nullopt);
  EXPECT_NE(X11Problem(1, bare).find("no X display is set"), std::string::npos);
}

TEST(CaptionFonts, AJapaneseFamilyCoveringEveryCaptionGoesFirst) {
  const QString family = JapaneseFamilyCovering(kMenuCaptions);
  ASSERT_FALSE(family.isEmpty()) << "the tests need a Japanese font (scripts/deps.sh)";
  QFont base(QStringLiteral("DejaVu Sans"));
  base.setPointSize(10);
  const QFont font = CaptionFont(base, kMenuCaptions);
  ASSERT_GE(font.families().size(), 2);
  EXPECT_EQ(font.families().front(), family);
  EXPECT_TRUE(font.families().contains(QStringLiteral("DejaVu Sans")));
  EXPECT_EQ(font.pointSize(), 10);
  // Every caption character has a glyph in what Qt then uses.
  const QFontMetrics metrics(font);
  for (const QChar c : kMenuCaptions)
    EXPECT_TRUE(metrics.inFont(c)) << static_cast<int>(c.unicode());
}

TEST(CaptionFonts, TextNoFontCoversKeepsTheFont) {
  // A character of the last private use plane, which no installed font has.
  const QString uncovered = QStringLiteral("終了") + QString::fromUcs4(U"\U0010FFFD");
  EXPECT_TRUE(JapaneseFamilyCovering(uncovered).isEmpty());
  const QFont base(QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(CaptionFont(base, uncovered), base);
}

TEST(SurfaceFont, TheMinutesHaveTheWindowsProgramsMetrics) {
  // 9 points at 96 dpi, digits and capitals half an em wide, as in the Windows build.
  const QFont font = SurfaceDefaultFont();
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAGothic"));
  const QFontMetrics metrics(font);
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("A5")), 12);
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("A10")), 18);
}

TEST(PopupMenu, OnlyTheLeftButtonWorksOverTheItems) {
  QMenu menu;
  menu.resize(120, 200);
  struct Case {
    QEvent::Type type;
    Qt::MouseButton button;
    QPoint at;
    bool ignored;
  };
  const QPoint inside(30, 10), outside(-20, 10);
  const std::array cases{
      Case{QEvent::MouseButtonRelease, Qt::RightButton, inside, true},
      Case{QEvent::MouseButtonPress, Qt::RightButton, inside, true},
      Case{QEvent::MouseButtonDblClick, Qt::RightButton, inside, true},
      Case{QEvent::MouseButtonRelease, Qt::MiddleButton, inside, true},
      Case{QEvent::MouseButtonRelease, Qt::LeftButton, inside, false},
      Case{QEvent::MouseButtonPress, Qt::LeftButton, inside, false},
      // Outside the menu every button dismisses it as usual.
      Case{QEvent::MouseButtonPress, Qt::RightButton, outside, false},
      Case{QEvent::MouseButtonRelease, Qt::RightButton, outside, false},
  };
  for (const Case& c : cases) {
    const QMouseEvent event(c.type, QPointF(c.at), QPointF(c.at), c.button, c.button,
                            Qt::NoModifier);
    EXPECT_EQ(IgnoredByMenu(menu, event), c.ignored)
        << "event " << c.type << " button " << c.button << " at " << c.at.x();
  }
  const QMouseEvent move(QEvent::MouseMove, QPointF(inside), QPointF(inside), Qt::NoButton,
                         Qt::RightButton, Qt::NoModifier);
  EXPECT_FALSE(IgnoredByMenu(menu, move)) << "moves still highlight the items";
}

}  // namespace
}  // namespace qt_host
