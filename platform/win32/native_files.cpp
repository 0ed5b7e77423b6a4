#include "platform/win32/native_files.h"

#include <algorithm>

#include "platform/win32/windows_api.h"

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
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) forms::Raise(ErrorNumber::kPathFileAccessError);
  std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < contents.size()) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1 << 20));
    if (!::ReadFile(file.get(), contents.data() + done, wanted, &read, nullptr)) {
      forms::Raise(ErrorNumber::kPathFileAccessError);
    }
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  contents.resize(done);
  return contents;
}

void WriteWholeFile(std::string_view path, std::string_view contents) {
  const FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) forms::Raise(OpenError(GetLastError()));
  std::size_t done = 0;
  while (done < contents.size()) {
    DWORD written = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1 << 20));
    if (!::WriteFile(file.get(), contents.data() + done, wanted, &written, nullptr) ||
        written == 0) {
      forms::Raise(ErrorNumber::kPathFileAccessError);
    }
    done += written;
  }
}

}  // namespace win32
