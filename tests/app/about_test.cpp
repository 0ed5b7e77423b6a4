// The version box, --version, --help and the command line's answers.
#include "app/about.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using vestrel::about::AnswerCommandLine;
using vestrel::about::HelpText;
using vestrel::about::HostSystem;

// The box joins its lines with CR LF (the window shows bare line feeds as boxes); the
// terminal's help fits 79 columns while the message box's keeps each paragraph on one line.
// What the texts say is checked through the command line below and end to end.
TEST(AboutTest, LineBreaksSuitWhereTheTextIsShown) {
  const std::string box = vestrel::about::VersionBoxText();
  EXPECT_TRUE(box.starts_with("Vestrel Version 1.3.1\r\n")) << box;
  EXPECT_EQ(std::count(box.begin(), box.end(), '\n'), 3) << box;
  EXPECT_EQ(std::count(box.begin(), box.end(), '\r'), 3) << box;
  EXPECT_FALSE(box.ends_with("\n"));
  const std::string linux_help = HelpText(HostSystem::kLinux);
  for (std::size_t start = 0, end; (end = linux_help.find('\n', start)) != std::string::npos;
       start = end + 1) {
    EXPECT_LE(end - start, 79u) << linux_help.substr(start, end - start);
  }
  EXPECT_NE(HelpText(HostSystem::kWindows).find("countdown, larger or smaller, always on top"),
            std::string::npos);
}

TEST(CommandLineTest, AnswersAsDocumented) {
  EXPECT_TRUE(AnswerCommandLine({}, HostSystem::kLinux).run_clock);
  const struct {
    std::vector<std::string> arguments;
    HostSystem system;
    int exit_code;  // 2: a mistake, said on one line, a blank line, then the usage
    std::string text_starts_with;
  } cases[] = {
      {{"--version"}, HostSystem::kLinux, 0, "Vestrel 1.3.1\n"},
      {{"--help"}, HostSystem::kLinux, 0, "Usage: vestrel [--help | --version]\n"},
      {{"-x"}, HostSystem::kLinux, 2, "vestrel: unknown argument '-x'\n\nUsage: vestrel"},
      {{"--version", "extra"}, HostSystem::kLinux, 2, "vestrel: unknown argument 'extra'\n\n"},
      {{"--help", "--version"},
       HostSystem::kLinux,
       2,
       "vestrel: give --help or --version alone\n\n"},
      {{"-platform", "offscreen"},
       HostSystem::kLinux,
       2,
       "vestrel: unknown argument '-platform'\n\n"},
      {{"/?"}, HostSystem::kWindows, 2, "Vestrel.exe: unknown argument '/?'\n\nUsage: Vestrel.exe"},
  };
  for (const auto& c : cases) {
    const auto answer = AnswerCommandLine(c.arguments, c.system);
    EXPECT_FALSE(answer.run_clock) << answer.text;
    EXPECT_EQ(answer.exit_code, c.exit_code) << answer.text;
    EXPECT_EQ(answer.is_error, c.exit_code != 0) << answer.text;
    EXPECT_TRUE(answer.text.starts_with(c.text_starts_with)) << answer.text;
  }
}

TEST(SplitWindowsCommandLineTest, SplitsAsTheCRuntimeDoes) {
  using Arguments = std::vector<std::string>;
  const std::pair<std::string, Arguments> cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"  --help\t --version ", {"--help", "--version"}},
      {"\"a b\" c", {"a b", "c"}},
      {"\"\"", {""}},
      {"a\"b c\"d", {"ab cd"}},
      {R"(a\\b)", {R"(a\\b)"}},
      {R"(a\"b)", {"a\"b"}},
      {R"(a\\"b c")", {R"(a\b c)"}},
      {R"(a\\\"b)", {R"(a\"b)"}},
      {R"("a ""quoted"" word")", {"a \"quoted\" word"}},
  };
  for (const auto& [command_line, arguments] : cases) {
    EXPECT_EQ(vestrel::about::SplitWindowsCommandLine(command_line), arguments) << command_line;
  }
}

}  // namespace
