// A running clock on the headless host, for tests of the clock's logic.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/duzezezi.h"
#include "platform/headless/headless_host.h"
#include "platform/program.h"
#include "platform/runtime.h"

namespace vestrel::testing {

inline const std::string kSettingsPath = "C:\\Vestrel\\Vestrel.ini";

class ClockTest : public ::testing::Test {
 protected:
  // Starts the program: creates the form and runs its load event.
  void Start() {
    runtime_.reset();
    runtime_ = std::make_unique<forms::Runtime>(host);
    host.Attach(*runtime_);
    runtime_->Start(forms::CreateStartupForm);
  }
  void StartAt(int hour, int minute, int second) {
    host.SetTimeOfDay(hour, minute, second);
    Start();
  }

  // Starts afresh, at the small size (as saved settings give it) if asked.
  void StartSizedAt(bool small, int hour, int minute, int second) {
    host = {};
    if (small) host.files[kSettingsPath] = "\"1\",\"\",0,0,\"\"\r\n";
    StartAt(hour, minute, second);
  }

  duzezezi& form() { return static_cast<duzezezi&>(*runtime_->form()); }
  const ClockFormState& state() { return form().State(); }
  forms::Runtime& runtime() { return *runtime_; }

  // Chooses the popup menu item at `place` (0 is the exit item) with a right press.
  void ChooseMenu(int place) {
    host.menu_choices.push_back(place);
    host.PostMouseDown(forms::kRightButton, 20, 20);
    host.PostMouseUp(forms::kRightButton, 20, 20);
    host.RunPending();
  }

  // Clicks the "●" of the current size.
  void ClickIndicator() {
    const raster::Rect box = runtime_->Label().box;
    host.Click(box.left + box.width / 2, box.top + box.height / 2);
  }

  headless::HeadlessHost host;

 private:
  std::unique_ptr<forms::Runtime> runtime_;
};

// Menu places, in menu order.
enum MenuPlace {
  kExit = 0,
  kTimer3 = 2,
  kTimer4 = 3,
  kTimer5 = 4,
  kLarger = 5,
  kSmaller = 6,
  kOnTop = 7,
  kVersion = 8
};

}  // namespace vestrel::testing
