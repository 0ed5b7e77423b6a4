#include "platform/qt/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <thread>

namespace qt_host {
namespace {

// Joined at the latest when the program ends.
std::jthread& WarmUp() {
  static std::jthread thread;
  return thread;
}

}  // namespace

void StartFontConfigWarmUp() {
  // FcInit loads the configuration Qt's font database and the caption fonts use; called
  // again later, it finds it loaded and returns.
  WarmUp() = std::jthread([] { FcInit(); });
}

void AwaitFontConfig() {
  if (WarmUp().joinable()) WarmUp().join();
}

}  // namespace qt_host
