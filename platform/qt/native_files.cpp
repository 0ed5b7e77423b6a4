#include "platform/qt/native_files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/file_replace.h"

namespace qt_host {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes now, reporting the errno of a failed close (0 when it succeeded).
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The run-time error of a failed read or write with this errno.
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

std::string FolderOf(const std::string& native_path) {
  const std::size_t slash = native_path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : native_path.substr(0, slash);
}

// The replacement steps with POSIX calls: a temporary file beside the target, fsync, rename
// and an fsync of the folder so that the rename itself survives a power cut.
class PosixReplaceSteps : public forms::ReplaceSteps {
 public:
  std::string Target(std::string_view path) override {
    std::string native = NativePath(path);
    struct stat link {};
    if (::lstat(native.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
      // A link to a regular file (a settings file kept elsewhere) stays a link: the file it
      // names is replaced. Any other link is refused by KindOf.
      char resolved[PATH_MAX];
      if (::realpath(native.c_str(), resolved) != nullptr) native = resolved;
    }
    return native;
  }

  forms::PathKind KindOf(std::string_view path) override {
    const std::string native(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) == 0) {
      return S_ISREG(info.st_mode) ? forms::PathKind::kRegular : forms::PathKind::kOther;
    }
    // A dangling link or a loop of links is something in the file's place all the same.
    struct stat link {};
    return ::lstat(native.c_str(), &link) == 0 ? forms::PathKind::kOther
                                               : forms::PathKind::kMissing;
  }

  void CreateTemporary(std::string_view temporary, std::string_view target) override {
    const std::string native(temporary);
    // No blocking on a FIFO, no following a link someone put in the temporary file's place.
    const int fd = ::open(native.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) forms::Raise(WriteFailure(errno));
    file_.Reset(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      file_.Reset(-1);  // not ours to delete
      forms::Raise(forms::ErrorNumber::kPathFileAccessError);
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(std::string(target).c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  }

  void WriteAll(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t count = ::write(file_.get(), bytes.data(), bytes.size());
      if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (count < 0) forms::Raise(WriteFailure(errno));
      if (count == 0) forms::Raise(forms::ErrorNumber::kPathFileAccessError);
      bytes.remove_prefix(static_cast<std::size_t>(count));
    }
  }

  void Flush() override {
    if (::fsync(file_.get()) != 0) forms::Raise(WriteFailure(errno));
  }

  void CloseTemporary() override {
    if (const int error = file_.Close(); error != 0) forms::Raise(WriteFailure(error));
  }

  void Rename(std::string_view temporary, std::string_view target) override {
    const std::string native_target(target);
    if (::rename(std::string(temporary).c_str(), native_target.c_str()) != 0) {
      forms::Raise(WriteFailure(errno));
    }
    // Makes the new directory entry durable. The new file is complete whatever happens here,
    // and some file systems cannot sync a folder, so a failure is not an error.
    const Descriptor folder(
        ::open(FolderOf(native_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
  }

  void Discard(std::string_view temporary) noexcept override {
    file_.Reset(-1);
    ::unlink(std::string(temporary).c_str());
  }

 private:
  Descriptor file_;
};

}  // namespace

std::string ProgramFolder() {
  std::string path(PATH_MAX, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(length));
  path.erase(std::max<std::size_t>(path.rfind('/'), 1));
  return path;
}

std::string NativePath(std::string_view program_path) {
  std::string path(program_path);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool IsNormalFile(std::string_view program_path) {
  struct stat info {};
  return ::stat(NativePath(program_path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ReadWholeFile(std::string_view program_path) {
  const std::string path = NativePath(program_path);
  // O_NONBLOCK: a FIFO put in the file's place must not hang the program in open().
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) forms::Raise(ReadFailure(errno));
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    forms::Raise(forms::ErrorNumber::kPathFileAccessError);
  }
  return forms::ReadUpToLimit([&](char* buffer, std::size_t size) {
    for (;;) {
      const ssize_t count = ::read(file.get(), buffer, size);
      if (count >= 0) return static_cast<std::size_t>(count);
      if (errno != EINTR) forms::Raise(ReadFailure(errno));
    }
  });
}

void WriteWholeFile(std::string_view program_path, std::string_view contents) {
  PosixReplaceSteps steps;
  forms::ReplaceFileContents(steps, program_path, contents);
}

bool IsWritableFolder(std::string_view program_path) {
  const std::string path = NativePath(program_path);
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string UserSettingsFolder() {
  // The XDG base directory rules: a relative XDG_CONFIG_HOME is ignored.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
      const passwd* user = ::getpwuid(::getuid());
      home = user != nullptr ? user->pw_dir : "/";
    }
    base = std::string(home) + "/.config";
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/vestrel";
}

void CreateFolders(std::string_view program_path) {
  const std::string path = NativePath(program_path);
  for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string part = path.substr(0, end);
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      forms::Raise(WriteFailure(errno));
    }
    if (end == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    forms::Raise(forms::ErrorNumber::kPathFileAccessError);
  }
}

const forms::NativeFileFunctions kNativeFiles{IsNormalFile,     ReadWholeFile,      WriteWholeFile,
                                              IsWritableFolder, UserSettingsFolder, CreateFolders};

}  // namespace qt_host
