#include "platform/qt/dialogs.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>

namespace qt_host {

QString DialogText(std::string_view text) {
  QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

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

std::optional<int> ShowPopupMenu(QWidget* owner, const std::vector<forms::PopupItem>& items) {
  QMenu menu(owner);
  FillPopupMenu(menu, items);
  const QAction* chosen = menu.exec(QCursor::pos());
  if (chosen == nullptr) return std::nullopt;
  return chosen->data().toInt();
}

void ShowInformation(QWidget* owner, std::string_view title, std::string_view text) {
  QMessageBox box(QMessageBox::Information, DialogText(title), DialogText(text), QMessageBox::Ok,
                  owner);
  box.exec();
}

void ShowCritical(QWidget* owner, std::string_view text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Vestrel"), DialogText(text),
                  QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace qt_host
