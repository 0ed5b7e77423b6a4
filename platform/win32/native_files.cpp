#include "platform/win32/native_files.h"

#include <algorithm>

#include "platform/win32/windows_api.h"

#include "platform/file_replace.h"
#include "platform/runtime_error.h"
#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

using forms::ErrorNumber;

// Closes a file handle however the read or write ends.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }
  // Closes now; false when closing failed.
  bool Close() {
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

// A file another program holds open is "permission denied"; one that cannot be opened as
// asked (read-only, a folder, a missing folder, a bad name) is a path/file access error.
ErrorNumber OpenError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return ErrorNumber::kFileNotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return ErrorNumber::kPermissionDenied;
    default:
      return ErrorNumber::kPathFileAccessError;
  }
}

bool IsDiskFile(HANDLE file) {
  return GetFileType(file) == FILE_TYPE_DISK;
}

// The replacement steps with the W functions: a temporary file beside the target, flushed,
// then moved over the target with write-through.
class Win32ReplaceSteps : public forms::ReplaceSteps {
 public:
  std::string Target(std::string_view path) override { return std::string(path); }

  forms::PathKind KindOf(std::string_view path) override {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return forms::PathKind::kMissing;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0
               ? forms::PathKind::kOther
               : forms::PathKind::kRegular;
  }

  void CreateTemporary(std::string_view temporary, std::string_view /*target*/) override {
    file_.Reset(CreateFileW(Widen(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_.valid()) forms::Raise(OpenError(GetLastError()));
    if (!IsDiskFile(file_.get())) {
      file_.Reset();
      forms::Raise(ErrorNumber::kPathFileAccessError);
    }
  }

  void WriteAll(std::string_view bytes) override {
    while (!bytes.empty()) {
      DWORD written = 0;
      const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
      if (!::WriteFile(file_.get(), bytes.data(), wanted, &written, nullptr) || written == 0) {
        forms::Raise(ErrorNumber::kPathFileAccessError);
      }
      bytes.remove_prefix(written);
    }
  }

  void Flush() override {
    if (!FlushFileBuffers(file_.get())) forms::Raise(ErrorNumber::kPathFileAccessError);
  }

  void CloseTemporary() override {
    if (!file_.Close()) forms::Raise(ErrorNumber::kPathFileAccessError);
  }

  void Rename(std::string_view temporary, std::string_view target) override {
    if (!MoveFileExW(Widen(temporary).c_str(), Widen(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      forms::Raise(OpenError(GetLastError()));
    }
  }

  void Discard(std::string_view temporary) noexcept override {
    file_.Reset();
    DeleteFileW(Widen(temporary).c_str());
  }

 private:
  FileHandle file_{INVALID_HANDLE_VALUE};
};

std::string EnvironmentText(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return "";
    if (length < value.size()) {
      value.resize(length);
      return Narrow(value);
    }
    value.resize(length);  // the size needed, with the terminator
  }
}

}  // namespace

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) forms::Raise(ErrorNumber::kPathFileAccessError);
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  const std::size_t separator = path.find_last_of(L"\\/");
  path.resize(separator == std::wstring::npos ? 0 : separator);
  return Narrow(path);
}

bool IsNormalFile(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::string ReadWholeFile(std::string_view path) {
  const FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) forms::Raise(OpenError(GetLastError()));
  if (!IsDiskFile(file.get())) forms::Raise(ErrorNumber::kPathFileAccessError);
  return forms::ReadUpToLimit([&](char* buffer, std::size_t size) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, static_cast<DWORD>(size), &read, nullptr)) {
      forms::Raise(ErrorNumber::kPathFileAccessError);
    }
    return static_cast<std::size_t>(read);
  });
}

void WriteWholeFile(std::string_view path, std::string_view contents) {
  Win32ReplaceSteps steps;
  forms::ReplaceFileContents(steps, path, contents);
}

bool IsWritableFolder(std::string_view folder) {
  // A probe file that the system deletes as it is closed.
  const std::wstring probe =
      Widen(folder) + L"\\~vestrel-" + std::to_wstring(GetCurrentProcessId()) + L".probe";
  HANDLE file = CreateFileW(
      probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::string UserSettingsFolder() {
  std::string base = EnvironmentText(L"APPDATA");
  if (base.empty()) {
    const std::string profile = EnvironmentText(L"USERPROFILE");
    base = profile.empty() ? ExecutableFolder() : profile + "\\AppData\\Roaming";
  }
  while (!base.empty() && (base.back() == '\\' || base.back() == '/')) base.pop_back();
  return base + "\\Vestrel";
}

void CreateFolders(std::string_view folder) {
  const std::wstring path = Widen(folder);
  // Every folder from the top down; the drive or share at the start exists or fails below.
  for (std::size_t end = path.find_first_of(L"\\/", 3);;
       end = path.find_first_of(L"\\/", end + 1)) {
    const std::wstring part = path.substr(0, end);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS &&
        end == std::wstring::npos) {
      forms::Raise(ErrorNumber::kPathFileAccessError);
    }
    if (end == std::wstring::npos) break;
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    forms::Raise(ErrorNumber::kPathFileAccessError);
  }
}

const forms::NativeFileFunctions kNativeFiles{IsNormalFile,     ReadWholeFile,      WriteWholeFile,
                                              IsWritableFolder, UserSettingsFolder, CreateFolders};

}  // namespace win32
