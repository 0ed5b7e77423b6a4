// The version box, --version, --help and the command line's answers.
#include "app/about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vestrel::about::AnswerCommandLine;
using vestrel::about::HostSystem;

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(AboutTest, VersionTextsGiveTheVersionFirstThenTheCopyrightAndTheLicence) {
  const std::string box = vestrel::about::VersionBoxText();
  const std::string text = vestrel::about::VersionText();
  EXPECT_TRUE(box.starts_with("Vestrel Version 1.3.1\r\n")) << box;
  EXPECT_TRUE(text.starts_with("Vestrel 1.3.1\n")) << text;
  // The box: four lines joined by CR LF, no bare line feeds; the text ends its last line.
  EXPECT_EQ(CountOf(box, "\r\n"), 3) << box;
  EXPECT_EQ(CountOf(box, "\n"), 3) << box;
  EXPECT_FALSE(box.ends_with("\r\n"));
  EXPECT_TRUE(text.ends_with("\n"));
  for (const std::string& about : {box, text}) {
    EXPECT_NE(about.find("Copyright (C) 2026 The Vestrel developers"), std::string::npos);
    EXPECT_NE(about.find("MIT License"), std::string::npos);
  }
}

TEST(AboutTest, HelpNamesTheProgramAndTheSettingsFolderOfEachSystem) {
  const std::string linux_help = vestrel::about::HelpText(HostSystem::kLinux);
  const std::string windows_help = vestrel::about::HelpText(HostSystem::kWindows);
  EXPECT_TRUE(linux_help.starts_with("Usage: vestrel [--help | --version]\n"));
  EXPECT_TRUE(windows_help.starts_with("Usage: Vestrel.exe [--help | --version]\n"));
  EXPECT_NE(linux_help.find("~/.config/vestrel/"), std::string::npos);
  EXPECT_NE(windows_help.find("%APPDATA%\\Vestrel\\"), std::string::npos);
  for (const std::string& help : {linux_help, windows_help}) {
    EXPECT_NE(help.find("Right-click"), std::string::npos);
    EXPECT_NE(help.find("Vestrel.ini"), std::string::npos);
    EXPECT_NE(help.find("  --version  show the version"), std::string::npos);
  }
  // The terminal's help fits 79 columns, its mouse lines indented by two; the message box's
  // help keeps each paragraph on one line, for the box to wrap.
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = linux_help.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(linux_help.substr(start, end - start));
    EXPECT_LE(lines.back().size(), 79u) << lines.back();
  }
  EXPECT_EQ(lines.at(5),
            "  Right-click the face for the menu: exit, a 3, 4 or 5 minute countdown, larger");
  EXPECT_EQ(lines.at(6), "  or smaller, always on top, and version information.");
  EXPECT_NE(windows_help.find("  Right-click the face for the menu: exit, a 3, 4 or 5 minute "
                              "countdown, larger or smaller, always on top, and version "
                              "information.\n"),
            std::string::npos);
}

TEST(CommandLineTest, AnswersAsDocumented) {
  EXPECT_TRUE(AnswerCommandLine({}, HostSystem::kLinux).run_clock);
  const struct {
    std::vector<std::string> arguments;
    int exit_code;  // 2: a mistake, said on one line, a blank line, then the usage
    std::string text_starts_with;
  } cases[] = {
      {{"--version"}, 0, "Vestrel 1.3.1\n"},
      {{"--help"}, 0, "Usage: vestrel"},
      {{"-x"}, 2, "vestrel: unknown argument '-x'\n"},
      {{""}, 2, "vestrel: unknown argument ''\n"},
      {{"--version", "extra"}, 2, "vestrel: unknown argument 'extra'\n"},
      {{"--help", "--version"}, 2, "vestrel: give --help or --version alone\n"},
      {{"--VERSION"}, 2, "vestrel: unknown argument '--VERSION'\n"},
      {{"-platform", "offscreen"}, 2, "vestrel: unknown argument '-platform'\n"},
  };
  for (const auto& c : cases) {
    const auto answer = AnswerCommandLine(c.arguments, HostSystem::kLinux);
    EXPECT_FALSE(answer.run_clock) << answer.text;
    EXPECT_EQ(answer.exit_code, c.exit_code) << answer.text;
    EXPECT_EQ(answer.is_error, c.exit_code != 0) << answer.text;
    EXPECT_TRUE(answer.text.starts_with(c.text_starts_with)) << answer.text;
    if (c.exit_code != 0) {
      EXPECT_NE(answer.text.find("\n\nUsage: vestrel"), std::string::npos) << answer.text;
      EXPECT_EQ(answer.text.find('\n'), answer.text.find("\n\n")) << answer.text;
    }
  }
}

TEST(CommandLineTest, WindowsNamesTheExecutableInItsError) {
  const auto answer = AnswerCommandLine({"/?"}, HostSystem::kWindows);
  EXPECT_EQ(answer.exit_code, 2);
  EXPECT_TRUE(answer.text.starts_with("Vestrel.exe: unknown argument '/?'\n\nUsage: Vestrel.exe"))
      << answer.text;
}

TEST(SplitWindowsCommandLineTest, SplitsAsTheCRuntimeDoes) {
  using Arguments = std::vector<std::string>;
  const std::pair<std::string, Arguments> cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"--version", {"--version"}},
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
