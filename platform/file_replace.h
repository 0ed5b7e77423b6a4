// Replacing a file's contents so that it is never left half written: the new contents go to a
// temporary file beside it, are flushed to the disk, and then take the old file's place in
// one step. Each host provides the native steps; the order and the clean-up are shared.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace forms {

// The most a program's file read takes; what lies beyond is not read.
inline constexpr std::size_t kFileReadLimit = 64 * 1024;

// What lies at a path, links followed.
enum class PathKind { kMissing, kRegular, kOther };

// The native steps of a replacement. Each raises a run-time error when it fails.
class ReplaceSteps {
 public:
  virtual ~ReplaceSteps() = default;
  // The file a write of `path` changes: the path itself, or the regular file a link names.
  virtual std::string Target(std::string_view path) = 0;
  virtual PathKind KindOf(std::string_view path) = 0;
  // Creates (or empties) the temporary file and opens it for writing; the target's
  // permissions when it exists. Refuses to open anything but a regular file.
  virtual void CreateTemporary(std::string_view temporary, std::string_view target) = 0;
  virtual void WriteAll(std::string_view bytes) = 0;
  // Forces what was written onto the disk.
  virtual void Flush() = 0;
  virtual void CloseTemporary() = 0;
  // Puts the temporary file in the target's place in one step, durably.
  virtual void Rename(std::string_view temporary, std::string_view target) = 0;
  // Closes the temporary file if still open and deletes it; never fails.
  virtual void Discard(std::string_view temporary) noexcept = 0;
};

// Reads at most kFileReadLimit bytes through `read_some(buffer, size)`, which returns how many
// bytes it read (0 at the end of the file) and raises on failure.
template <class ReadSome>
std::string ReadUpToLimit(ReadSome read_some) {
  std::string contents(kFileReadLimit, '\0');
  std::size_t done = 0;
  while (done < contents.size()) {
    const std::size_t count = read_some(contents.data() + done, contents.size() - done);
    if (count == 0) break;
    done += count;
  }
  contents.resize(done);
  return contents;
}

// The temporary file that a write of `target` goes through.
std::string TemporaryFileFor(std::string_view target);

// Replaces the file at `path` (or creates it) with exactly `contents`. On any failure the old
// file is left as it was, the temporary file is removed and the error is raised again. Only
// a missing path or a regular file can be written.
void ReplaceFileContents(ReplaceSteps& steps, std::string_view path, std::string_view contents);

}  // namespace forms
