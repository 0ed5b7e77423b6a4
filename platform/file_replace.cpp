#include "platform/file_replace.h"

#include "platform/runtime_error.h"

namespace forms {

std::string TemporaryFileFor(std::string_view target) {
  // One fixed name per file: a temporary file left by a crash is reused and renamed away by
  // the next write instead of piling up.
  return std::string(target) + ".tmp";
}

void ReplaceFileContents(ReplaceSteps& steps, std::string_view path, std::string_view contents) {
  const std::string target = steps.Target(path);
  // A FIFO, a device or a folder in the file's place is refused before anything is opened:
  // opening a FIFO would block and a device would swallow the record.
  if (steps.KindOf(target) == PathKind::kOther) Raise(ErrorNumber::kPathFileAccessError);
  const std::string temporary = TemporaryFileFor(target);
  steps.CreateTemporary(temporary, target);
  try {
    steps.WriteAll(contents);
    steps.Flush();
    steps.CloseTemporary();
    steps.Rename(temporary, target);
  } catch (...) {
    steps.Discard(temporary);
    throw;
  }
}

}  // namespace forms
