// The program's files on the local file system. The logic names them Windows-style
// ("<AppPath>\Vestrel.ini"); here '\' separates directories like '/'. Failures raise the
// run-time errors the logic expects of opening a file.
#pragma once

#include <string>
#include <string_view>

#include "platform/runtime_error.h"

namespace qt_host {

std::string NativePath(std::string_view program_path);

// A regular file (or a link to one); directories and missing paths are not.
bool IsNormalFile(std::string_view program_path);
std::string ReadWholeFile(std::string_view program_path);
// Creates or replaces the file with exactly `contents`.
void WriteWholeFile(std::string_view program_path, std::string_view contents);

// The run-time error of a failed read or write with this errno.
forms::ErrorNumber ReadFailure(int error);
forms::ErrorNumber WriteFailure(int error);

}  // namespace qt_host
