// What the program says about itself: the version box, `--version` and `--help`. Every host
// shows these texts; none writes its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vestrel::about {

// Where the program runs; the help names the program and its settings folder as users there
// know them.
enum class HostSystem { kLinux, kWindows };

// "ｱﾌﾟﾘｹｰｼｮﾝ情報" and four lines joined by CR LF: "Vestrel Version 1.3.1", what the program
// is, the copyright and the licence.
extern const char* const kVersionBoxTitle;
std::string VersionBoxText();

// "Vestrel 1.3.1", then the copyright and the licence, one line each.
std::string VersionText();

// A short usage: what the program is, the mouse and the menu, where the settings live and the
// two options.
std::string HelpText(HostSystem system);

// What the command line asks for. The program takes no input from it beyond these options.
struct CommandLineAnswer {
  bool run_clock = false;  // no arguments: start the clock
  int exit_code = 0;       // otherwise: end at once with this code...
  std::string text;        // ...after showing this text
  bool is_error = false;   // the text reports a mistake (stderr, an error box)
};

// `arguments` without the program's own name.
CommandLineAnswer AnswerCommandLine(const std::vector<std::string>& arguments, HostSystem system);

// Splits a Windows command line (without the program name) into arguments as the C runtime
// does: blanks separate, double quotes group, and backslashes escape only double quotes.
std::vector<std::string> SplitWindowsCommandLine(std::string_view command_line);

}  // namespace vestrel::about
