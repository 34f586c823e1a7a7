// Text crosses into the Windows API in the system's ANSI code page; inside
// the programs it is UTF-8.
#pragma once
#include <string>
#include <string_view>

namespace win32 {

std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace win32
