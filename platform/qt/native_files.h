// The program's files on the local file system. The logic names them Windows-style
// ("<AppPath>\Vestrel.ini"); here '\' separates directories like '/'. Failures raise the
// run-time errors the logic expects of opening a file.
#pragma once

#include <string>
#include <string_view>

#include "platform/native_file_host.h"
#include "platform/runtime_error.h"

namespace qt_host {

std::string NativePath(std::string_view program_path);

// The folder of the running program, byte for byte as the file system names it (a folder name
// that is not valid UTF-8 still names that folder), without a trailing separator.
std::string ProgramFolder();

// A regular file (or a link to one); directories, FIFOs, devices and missing paths are not.
bool IsNormalFile(std::string_view program_path);
// At most forms::kFileReadLimit bytes of a regular file. Opening never blocks; anything that
// is no regular file is refused.
std::string ReadWholeFile(std::string_view program_path);
// Replaces the file with exactly `contents` in one step (through a flushed temporary file
// and a rename), or leaves it as it was. A link to a regular file writes that file.
void WriteWholeFile(std::string_view program_path, std::string_view contents);

// A folder the program may create files in.
bool IsWritableFolder(std::string_view program_path);
// $XDG_CONFIG_HOME/vestrel, by default ~/.config/vestrel.
std::string UserSettingsFolder();
// Creates the folder and the folders above it that are missing (private to the user, as
// configuration folders are).
void CreateFolders(std::string_view program_path);

// The functions above, as the host's file part.
extern const forms::NativeFileFunctions kNativeFiles;

}  // namespace qt_host
