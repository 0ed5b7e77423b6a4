// Vestrel.exe's command line: --help, --version or a mistake, shown in a message box (it is a
// GUI program with no console) and also written to a standard handle when one is attached, so
// that scripts can read it.
#pragma once

#include <optional>

#include "platform/win32/windows_api.h"

namespace win32 {

// The exit code when the command line is answered; nothing when there are no arguments and
// the clock should start. `command_line` is wWinMain's: the arguments without the program.
std::optional<int> AnswerCommandLine(PCWSTR command_line);

}  // namespace win32
