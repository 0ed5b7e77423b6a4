// The program's folder and its whole-file reads and writes, through the W functions so that
// any folder name works. Failures raise the forms runtime's file errors.
#pragma once

#include <string>
#include <string_view>

#include "platform/native_file_host.h"

namespace win32 {

// The folder of the running executable, UTF-8, without a trailing separator.
std::string ExecutableFolder();

// A normal file: it exists and is neither a directory, hidden nor a system file.
bool IsNormalFile(std::string_view path);

// At most forms::kFileReadLimit bytes of a file on a disk; anything else is refused.
std::string ReadWholeFile(std::string_view path);
// Replaces the file (or creates it) with exactly `contents` in one step, through a flushed
// temporary file beside it, or leaves it as it was.
void WriteWholeFile(std::string_view path, std::string_view contents);

// Whether new files can be created in the folder (tried, not guessed from its attributes).
bool IsWritableFolder(std::string_view folder);
// %APPDATA%\Vestrel.
std::string UserSettingsFolder();
// Creates the folder and the missing folders above it.
void CreateFolders(std::string_view folder);

// The functions above, as the host's file part.
extern const forms::NativeFileFunctions kNativeFiles;

}  // namespace win32
