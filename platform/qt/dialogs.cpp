#include "platform/qt/dialogs.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWindow>

#include "platform/qt/caption_fonts.h"

namespace qt_host {
namespace {

// Whether an event over a shown menu is a press or release of a button other than the left
// one over the menu itself, which the menu ignores.
bool IgnoredByMenu(const QWidget& menu, const QEvent& event) {
  // Items are chosen with the left button only. The menu opens on a right press with its
  // corner under the pointer, so the release of that press, a few pixels off, would otherwise
  // choose whatever it lands on. Outside the menu every button still dismisses it.
  const QEvent::Type type = event.type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick) {
    return false;
  }
  const auto& mouse = static_cast<const QMouseEvent&>(event);
  return mouse.button() != Qt::LeftButton && menu.rect().contains(mouse.position().toPoint());
}

// Filters the events of a shown menu through IgnoredByMenu.
class LeftButtonOnly : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    return watched->isWidgetType() && IgnoredByMenu(*static_cast<QWidget*>(watched), *event);
  }
};

// Keeps a box above `owner` and centred on it, as a box owned by a window is.
void BelongTo(QWidget& box, QWindow* owner) {
  if (owner == nullptr) return;
  box.winId();  // creates the native window, which carries the relation
  if (QWindow* native = box.windowHandle()) native->setTransientParent(owner);
}

// The texts a box or menu shows, for choosing a font that has all their glyphs.
QString AllCaptions(const QMenu& menu) {
  QString captions;
  for (const QAction* action : menu.actions()) captions += action->text();
  return captions;
}

// A UTF-8 string of the logic with its "\r\n" line breaks as Qt's "\n".
QString DialogText(std::string_view text) {
  QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

// Fills `menu` with the items in order; each action's data is its item's index.
void FillPopupMenu(QMenu& menu, const std::vector<forms::PopupItem>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const forms::PopupItem& item = items[i];
    if (item.separator || item.caption == "-") {
      menu.addSeparator();
      continue;
    }
    QAction* action = menu.addAction(DialogText(item.caption));
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    action->setData(static_cast<int>(i));
  }
}

}  // namespace

std::optional<int> ShowPopupMenu(QWindow* owner, const std::vector<forms::PopupItem>& items,
                                 QPoint at) {
  QMenu menu;
  BelongTo(menu, owner);
  FillPopupMenu(menu, items);
  menu.setFont(CaptionFont(menu.font(), AllCaptions(menu)));
  LeftButtonOnly left_button_only;
  menu.installEventFilter(&left_button_only);
  const QAction* chosen = menu.exec(at);
  if (chosen == nullptr) return std::nullopt;
  return chosen->data().toInt();
}

void ShowInformation(QWindow* owner, std::string_view title, std::string_view text) {
  QMessageBox box(QMessageBox::Information, DialogText(title), DialogText(text), QMessageBox::Ok);
  BelongTo(box, owner);
  box.setFont(CaptionFont(box.font(), box.windowTitle() + box.text()));
  box.exec();
}

void ShowCritical(QWindow* owner, std::string_view text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Vestrel"), DialogText(text),
                  QMessageBox::Ok);
  BelongTo(box, owner);
  box.setFont(CaptionFont(box.font(), box.text()));
  box.exec();
}

}  // namespace qt_host
