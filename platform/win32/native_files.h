// The program's folder and its whole-file reads and writes, through the W functions so that
// any folder name works. Failures raise the forms runtime's file errors.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// The folder of the running executable, UTF-8, without a trailing separator.
std::string ExecutableFolder();

// A normal file: it exists and is neither a directory, hidden nor a system file.
bool IsNormalFile(std::string_view path);

std::string ReadWholeFile(std::string_view path);
// Creates the file or replaces its contents.
void WriteWholeFile(std::string_view path, std::string_view contents);

}  // namespace win32
