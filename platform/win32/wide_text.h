// UTF-8 (the logic's strings) to and from UTF-16 (the W functions of Windows).
#pragma once

#include <string>
#include <string_view>

namespace win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace win32
