#include "app/about.h"

#include "app/version.h"

namespace vestrel::about {
namespace {

constexpr const char* kWhatItIs = "A small analog clock that floats on the desktop.";
constexpr const char* kLicence = "Free software under the MIT License; it comes with no warranty.";
constexpr std::size_t kTerminalWidth = 79;

const char* ProgramName(HostSystem system) {
  return system == HostSystem::kWindows ? "Vestrel.exe" : "vestrel";
}

// Breaks `text` into lines of at most `width` columns at blanks, each line indented.
std::string Wrap(std::string_view text, int indent, std::size_t width) {
  const std::string margin(static_cast<std::size_t>(indent), ' ');
  std::string out;
  std::string line = margin;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    if (line.size() > margin.size() && line.size() + 1 + word.size() > width) {
      out += line + "\n";
      line = margin;
    }
    if (line.size() > margin.size()) line += ' ';
    line += word;
    at = end + 1;
  }
  return out + line + "\n";
}

}  // namespace

const char* const kVersionBoxTitle = "ｱﾌﾟﾘｹｰｼｮﾝ情報";

std::string VersionBoxText() {
  return std::string("Vestrel Version ") + VESTREL_VERSION_TEXT + "\r\n" + kWhatItIs + "\r\n" +
         VESTREL_COPYRIGHT_TEXT + "\r\n" + kLicence;
}

std::string VersionText() {
  return std::string("Vestrel ") + VESTREL_VERSION_TEXT + "\n" + VESTREL_COPYRIGHT_TEXT + "\n" +
         kLicence + "\n";
}

std::string HelpText(HostSystem system) {
  const bool windows = system == HostSystem::kWindows;
  // A terminal gets lines of at most 79 columns; a message box wraps its text itself.
  const auto paragraph = [&](std::string_view text, int indent) {
    return windows ? std::string(static_cast<std::size_t>(indent), ' ') + std::string(text) + "\n"
                   : Wrap(text, indent, kTerminalWidth);
  };
  std::string text = std::string("Usage: ") + ProgramName(system) + " [--help | --version]\n\n";
  text += paragraph(kWhatItIs, 0) + "\n";
  text += paragraph("Drag the face with the left mouse button to move the clock.", 2);
  text += paragraph(
      "Right-click the face for the menu: exit, a 3, 4 or 5 minute countdown, larger or "
      "smaller, always on top, and version information.",
      2);
  text += paragraph(
      "Click the dot in the middle to switch between opaque and half transparent; when a "
      "countdown ends it pulses red, and a click on it silences the alarm.",
      2);
  text += "\n";
  text += paragraph(std::string("Size, opacity, position and always on top are kept in "
                                "Vestrel.ini, in the program's folder if it is writable, "
                                "otherwise in ") +
                        (windows ? "%APPDATA%\\Vestrel\\." : "~/.config/vestrel/."),
                    0);
  text +=
      "\nOptions:\n"
      "  --help     show this help and exit\n"
      "  --version  show the version and the licence and exit\n";
  return text;
}

CommandLineAnswer AnswerCommandLine(const std::vector<std::string>& arguments, HostSystem system) {
  CommandLineAnswer answer;
  if (arguments.empty()) {
    answer.run_clock = true;
    return answer;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    answer.text = VersionText();
    return answer;
  }
  if (arguments.size() == 1 && arguments[0] == "--help") {
    answer.text = HelpText(system);
    return answer;
  }
  std::string mistake;
  for (const std::string& argument : arguments) {
    if (argument != "--help" && argument != "--version") {
      mistake = "unknown argument '" + argument + "'";
      break;
    }
  }
  if (mistake.empty()) mistake = "give --help or --version alone";
  answer.exit_code = 2;
  answer.text = std::string(ProgramName(system)) + ": " + mistake + "\n\n" + HelpText(system);
  answer.is_error = true;
  return answer;
}

std::vector<std::string> SplitWindowsCommandLine(std::string_view command_line) {
  std::vector<std::string> arguments;
  std::string current;
  bool in_argument = false;
  bool quoted = false;
  std::size_t i = 0;
  while (i < command_line.size()) {
    const char c = command_line[i];
    if (c == '\\') {
      std::size_t backslashes = 0;
      while (i < command_line.size() && command_line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      in_argument = true;
      if (i < command_line.size() && command_line[i] == '"') {
        // 2n backslashes and a quote: n backslashes, and the quote groups; 2n + 1: n
        // backslashes and a literal quote.
        current.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          current += '"';
          ++i;
        }
      } else {
        current.append(backslashes, '\\');
      }
      continue;
    }
    if (c == '"') {
      in_argument = true;
      // Inside quotes, a doubled quote is one literal quote.
      if (quoted && i + 1 < command_line.size() && command_line[i + 1] == '"') {
        current += '"';
        i += 2;
        continue;
      }
      quoted = !quoted;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_argument) arguments.push_back(std::move(current));
      current.clear();
      in_argument = false;
    } else {
      current += c;
      in_argument = true;
    }
    ++i;
  }
  if (in_argument) arguments.push_back(std::move(current));
  return arguments;
}

}  // namespace vestrel::about
