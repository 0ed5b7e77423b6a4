// libFuzzer target: any bytes as Vestrel.ini, then the program's start-up and its exit on the
// headless host. Whatever the file holds, the start never fails, the exit writes one line
// ended by CR LF, and that line read back by a second run is written again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/headless/headless_host.h"
#include "platform/program.h"
#include "platform/runtime.h"

namespace {

const std::string kSettingsPath = "C:\\Vestrel\\Vestrel.ini";

// Starts the program on `contents` and closes its window; the file it leaves.
std::string StartAndClose(const std::string& contents) {
  headless::HeadlessHost host;
  host.trace_drawing = false;
  host.SetTimeOfDay(10, 10, 30);
  host.files[kSettingsPath] = contents;
  {
    forms::Runtime runtime(host);
    host.Attach(runtime);
    runtime.Start(forms::CreateStartupForm);
    if (!host.fatal_errors.empty()) std::abort();  // the start-up refused the file
    host.PostClose();
    host.RunPending();
  }
  if (host.exit_code != 0 || !host.fatal_errors.empty()) std::abort();
  if (host.files.contains(kSettingsPath + ".tmp")) std::abort();
  return host.files[kSettingsPath];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string written = StartAndClose(std::string(reinterpret_cast<const char*>(data), size));
  // One record on one line.
  if (written.size() < 2 || written.find_first_of("\r\n") != written.size() - 2 ||
      !written.ends_with("\r\n")) {
    std::abort();
  }
  // What is written reads back the same.
  if (StartAndClose(written) != written) std::abort();
  return 0;
}
