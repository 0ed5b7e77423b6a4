// The settings files and their errors in a folder with a Japanese name.
#include <functional>
#include <string>

#include "platform/file_replace.h"
#include "platform/runtime_error.h"
#include "platform/win32/native_files.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
#include "tests/platform/win32/checks/check.h"

namespace checks {
namespace {

// The error number a call raises, or 0.
int RaisedError(const std::function<void()>& call) {
  try {
    call();
  } catch (const forms::RuntimeError& error) {
    return static_cast<int>(error.number());
  }
  return 0;
}

}  // namespace

void CheckFiles() {
  const std::string exe_folder = win32::ExecutableFolder();
  CHECK(exe_folder.ends_with("\\時計テスト"));
  const std::string folder = exe_folder + "\\ﾁｪｯｸ用";
  CreateDirectoryW(win32::Widen(folder).c_str(), nullptr);
  const std::string file = folder + "\\設定.ini";
  const std::wstring wide_file = win32::Widen(file);
  SetFileAttributesW(wide_file.c_str(), FILE_ATTRIBUTE_NORMAL);

  const std::string contents("\"0\",\"\",105,105,\"\"\r\nﾊﾞｰ\0\xFF", 28);
  win32::WriteWholeFile(file, contents);
  CHECK(win32::ReadWholeFile(file) == contents);

  CHECK(win32::IsNormalFile(file));
  CHECK(!win32::IsNormalFile(folder));
  CHECK(!win32::IsNormalFile(folder + "\\missing.ini"));
  for (const auto& [attributes, normal] : {std::pair<DWORD, bool>{FILE_ATTRIBUTE_HIDDEN, false},
                                           {FILE_ATTRIBUTE_SYSTEM, false},
                                           {FILE_ATTRIBUTE_READONLY, true},
                                           {FILE_ATTRIBUTE_ARCHIVE, true}}) {
    SetFileAttributesW(wide_file.c_str(), attributes);
    CHECK(win32::IsNormalFile(file) == normal);
  }

  // Errors, as the forms runtime numbers them.
  // (A read-only file is no test here: wine keeps the attribute as Unix permissions, which do
  // not stop root.)
  SetFileAttributesW(wide_file.c_str(), FILE_ATTRIBUTE_NORMAL);
  CHECK(RaisedError([&] { win32::WriteWholeFile(folder, "x"); }) == 75);
  CHECK(RaisedError([&] { win32::ReadWholeFile(folder + "\\missing.ini"); }) == 53);
  CHECK(RaisedError([&] { win32::WriteWholeFile(folder + "\\no folder\\x.ini", "x"); }) == 75);
  CHECK(RaisedError([&] { win32::ReadWholeFile(folder); }) == 75);
  const std::string before_locked = win32::ReadWholeFile(file);
  HANDLE locked = CreateFileW(wide_file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(locked != INVALID_HANDLE_VALUE);
  CHECK(RaisedError([&] { win32::ReadWholeFile(file); }) == 70);
  const int locked_write = RaisedError([&] { win32::WriteWholeFile(file, "x"); });
  CloseHandle(locked);
  // Windows refuses to replace a file another program holds open; wine lets the rename
  // through. Either way the file is whole and no temporary file is left.
  const std::string after_locked = win32::ReadWholeFile(file);
  CHECK(locked_write == 70 || locked_write == 75 || (locked_write == 0 && after_locked == "x"));
  CHECK(locked_write == 0 || after_locked == before_locked);
  CHECK(GetFileAttributesW((wide_file + L".tmp").c_str()) == INVALID_FILE_ATTRIBUTES);

  // Replacing goes through a temporary file that does not stay; reads stop at the limit.
  const std::string big(forms::kFileReadLimit + 1000, 'x');
  win32::WriteWholeFile(file, big);
  CHECK(win32::ReadWholeFile(file) == big.substr(0, forms::kFileReadLimit));
  CHECK(GetFileAttributesW((wide_file + L".tmp").c_str()) == INVALID_FILE_ATTRIBUTES);
  // A failed replacement leaves the old file.
  win32::WriteWholeFile(file, contents);
  CreateDirectoryW((wide_file + L".tmp").c_str(), nullptr);  // the temporary file cannot be made
  CHECK(RaisedError([&] { win32::WriteWholeFile(file, "x"); }) == 75);
  CHECK(win32::ReadWholeFile(file) == contents);
  RemoveDirectoryW((wide_file + L".tmp").c_str());

  // The settings' homes (making %APPDATA%\Vestrel is checked end to end).
  CHECK(win32::IsWritableFolder(folder));
  CHECK(!win32::IsWritableFolder(folder + "\\missing"));
  CHECK(RaisedError([&] { win32::CreateFolders(file + "\\sub"); }) == 75);

  DeleteFileW(wide_file.c_str());
  RemoveDirectoryW(win32::Widen(folder).c_str());
}

}  // namespace checks
