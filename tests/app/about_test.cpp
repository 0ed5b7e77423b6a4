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

TEST(AboutTest, VersionTextsGiveTheVersionFirstThenTheCopyrightAndTheLicence) {
  const std::string box = vestrel::about::VersionBoxText();
  const std::string text = vestrel::about::VersionText();
  EXPECT_TRUE(box.starts_with("Vestrel Version 1.3.1\r\n")) << box;
  EXPECT_TRUE(text.starts_with("Vestrel 1.3.1\n") && text.ends_with("\n")) << text;
  // The box: four lines joined by CR LF, no bare line feeds.
  EXPECT_EQ(std::count(box.begin(), box.end(), '\n'), 3) << box;
  EXPECT_EQ(std::count(box.begin(), box.end(), '\r'), 3) << box;
  EXPECT_FALSE(box.ends_with("\n"));
  for (const std::string& about : {box, text}) {
    EXPECT_NE(about.find("Copyright (C) 2026 The Vestrel developers"), std::string::npos);
    EXPECT_NE(about.find("MIT License"), std::string::npos);
  }
}

TEST(AboutTest, HelpNamesTheProgramAndTheSettingsFolderOfEachSystem) {
  const std::string linux_help = HelpText(HostSystem::kLinux);
  const std::string windows_help = HelpText(HostSystem::kWindows);
  EXPECT_TRUE(linux_help.starts_with("Usage: vestrel [--help | --version]\n"));
  EXPECT_TRUE(windows_help.starts_with("Usage: Vestrel.exe [--help | --version]\n"));
  EXPECT_NE(linux_help.find("~/.config/vestrel/"), std::string::npos);
  EXPECT_NE(windows_help.find("%APPDATA%\\Vestrel\\"), std::string::npos);
  // The terminal's help fits 79 columns; the message box's keeps each paragraph on one line,
  // for the box to wrap.
  for (std::size_t start = 0, end; (end = linux_help.find('\n', start)) != std::string::npos;
       start = end + 1) {
    EXPECT_LE(end - start, 79u) << linux_help.substr(start, end - start);
  }
  EXPECT_NE(windows_help.find("  Right-click the face for the menu: exit, a 3, 4 or 5 minute "
                              "countdown, larger or smaller, always on top, and version "
                              "information.\n"),
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
      {{"--help"}, HostSystem::kLinux, 0, "Usage: vestrel"},
      {{"-x"}, HostSystem::kLinux, 2, "vestrel: unknown argument '-x'\n\nUsage: vestrel"},
      {{""}, HostSystem::kLinux, 2, "vestrel: unknown argument ''\n\n"},
      {{"--version", "extra"}, HostSystem::kLinux, 2, "vestrel: unknown argument 'extra'\n\n"},
      {{"--help", "--version"},
       HostSystem::kLinux,
       2,
       "vestrel: give --help or --version alone\n\n"},
      {{"--VERSION"}, HostSystem::kLinux, 2, "vestrel: unknown argument '--VERSION'\n\n"},
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
