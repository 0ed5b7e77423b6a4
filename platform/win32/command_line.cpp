#include "platform/win32/command_line.h"

#include <string>

#include "app/about.h"
#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

// Line ends as the message box and Windows editors expect them.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void WriteToStandardHandle(DWORD which, const std::string& text) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

std::optional<int> AnswerCommandLine(PCWSTR command_line) {
  const auto answer = vestrel::about::AnswerCommandLine(
      vestrel::about::SplitWindowsCommandLine(Narrow(command_line != nullptr ? command_line : L"")),
      vestrel::about::HostSystem::kWindows);
  if (answer.run_clock) return std::nullopt;
  const std::string text = WithCrLf(answer.text);
  WriteToStandardHandle(answer.is_error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, text);
  const std::wstring wide = Widen(text);
  MessageBoxW(nullptr, wide.c_str(), L"Vestrel",
              MB_OK | (answer.is_error ? MB_ICONERROR : MB_ICONINFORMATION));
  return answer.exit_code;
}

}  // namespace win32
