// The clock program on the headless host with drawing traces off, for benchmarks.
#pragma once

#include <memory>

#include "app/duzezezi.h"
#include "platform/headless/headless_host.h"
#include "platform/program.h"
#include "platform/runtime.h"

namespace vestrel::bench {

struct ClockProgram {
  explicit ClockProgram(bool small, int hour = 10, int minute = 10, int second = 30) {
    host.trace_drawing = false;
    if (small) host.files["C:\\Vestrel\\Vestrel.ini"] = "\"1\",\"\",0,0,\"\"\r\n";
    host.SetTimeOfDay(hour, minute, second);
    runtime = std::make_unique<forms::Runtime>(host);
    host.Attach(*runtime);
    runtime->Start(forms::CreateStartupForm);
  }
  duzezezi& form() { return static_cast<duzezezi&>(*runtime->form()); }

  // The next second's frame: the clock moves on by one second and the tick draws.
  void DrawnFrame() {
    host.SetTimeOfDay(0, 0, 0, static_cast<int>((host.now() + 1000) % 86400000));
    form().Timer1_Timer();
  }
  // A tick within the same second: nothing to draw.
  void IdleTick() { form().Timer1_Timer(); }

  headless::HeadlessHost host;
  std::unique_ptr<forms::Runtime> runtime;
};

}  // namespace vestrel::bench
