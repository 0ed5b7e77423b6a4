// The Linux program's command line: --help, --version or a mistake, answered on the terminal
// before Qt starts.
#pragma once

#include <optional>

namespace qt_host {

// Prints the answer (help and version on stdout, a mistake on stderr) and gives the exit code;
// nothing when the clock should start: no arguments, or only a session manager's.
std::optional<int> AnswerCommandLine(int argc, char** argv);

}  // namespace qt_host
