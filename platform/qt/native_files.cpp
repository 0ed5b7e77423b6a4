#include "platform/qt/native_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace qt_host {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting the errno of a failed close (0 when it succeeded).
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

}  // namespace

std::string NativePath(std::string_view program_path) {
  std::string path(program_path);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool IsNormalFile(std::string_view program_path) {
  struct stat info {};
  return ::stat(NativePath(program_path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

forms::ErrorNumber ReadFailure(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return forms::ErrorNumber::kFileNotFound;
    case EACCES:
    case EPERM:
      return forms::ErrorNumber::kPermissionDenied;
    case EMFILE:
    case ENFILE:
      return forms::ErrorNumber::kTooManyFiles;
    default:
      return forms::ErrorNumber::kPathFileAccessError;
  }
}

forms::ErrorNumber WriteFailure(int error) {
  switch (error) {
    case EMFILE:
    case ENFILE:
      return forms::ErrorNumber::kTooManyFiles;
    case EPERM:
      return forms::ErrorNumber::kPermissionDenied;
    default:
      // A missing folder, a read-only file or medium, a directory, a full disk: opening or
      // writing the path is refused.
      return forms::ErrorNumber::kPathFileAccessError;
  }
}

std::string ReadWholeFile(std::string_view program_path) {
  const std::string path = NativePath(program_path);
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) forms::Raise(ReadFailure(errno));
  std::string contents;
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) forms::Raise(ReadFailure(errno));
    if (count == 0) return contents;
    contents.append(buffer, static_cast<std::size_t>(count));
  }
}

void WriteWholeFile(std::string_view program_path, std::string_view contents) {
  const std::string path = NativePath(program_path);
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0) forms::Raise(WriteFailure(errno));
  while (!contents.empty()) {
    const ssize_t count = ::write(file.get(), contents.data(), contents.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) forms::Raise(WriteFailure(errno));
    contents.remove_prefix(static_cast<std::size_t>(count));
  }
  if (const int error = file.Close(); error != 0) forms::Raise(WriteFailure(error));
}

}  // namespace qt_host
