#include "platform/qt/command_line.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/about.h"

namespace qt_host {

std::optional<int> AnswerCommandLine(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  // A session manager that saved the desktop starts the program again at the next login the
  // way Qt registered it, with "-session <id>"; QApplication takes that pair. The clock keeps
  // nothing per session, so it starts as it always does.
  if (arguments.size() == 2 && arguments[0] == "-session") arguments.clear();
  const auto answer =
      vestrel::about::AnswerCommandLine(arguments, vestrel::about::HostSystem::kLinux);
  if (answer.run_clock) return std::nullopt;
  std::FILE* out = answer.is_error ? stderr : stdout;
  std::fputs(answer.text.c_str(), out);
  std::fflush(out);
  return answer.exit_code;
}

}  // namespace qt_host
