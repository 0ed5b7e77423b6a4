// The end of a session on the Linux host: the session manager's quit request reaches the
// application as a Quit event, which closes the clock's window like the user would, so the
// program unloads and saves its settings.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QFile>

#include "platform/program.h"
#include "platform/qt/qt_host.h"
#include "platform/runtime.h"

namespace qt_host {
namespace {

TEST(SessionEnd, TheQuitRequestUnloadsTheFormAndSaves) {
  const QString settings = QCoreApplication::applicationDirPath() + "/Vestrel.ini";
  QFile::remove(settings);
  {
    QtHost host;
    forms::Runtime runtime(host);
    host.Attach(runtime);
    runtime.Start(forms::CreateStartupForm);
    ASSERT_FALSE(runtime.ended());
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(runtime.exit_code(), 0);
  }
  QFile file(settings);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), "\"0\",\"\",0,0,\"\"\r\n");
  file.remove();
}

}  // namespace
}  // namespace qt_host
