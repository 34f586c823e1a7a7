// The profile-string calls, forwarded to kernel32 with ANSI text.
#include "platform/profile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/windows_api.h"

namespace plat {

std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, char* buffer,
                                       std::uint32_t size, const std::string& file) {
    if (size == 0 || buffer == nullptr) return 0;
    std::vector<char> ansi(size, '\0');
    const DWORD got = ::GetPrivateProfileStringA(
        win32::ToAnsi(section).c_str(), win32::ToAnsi(key).c_str(),
        win32::ToAnsi(defaultValue).c_str(), ansi.data(), size, win32::ToAnsi(file).c_str());
    std::string text = win32::FromAnsi(std::string_view(ansi.data(), got));
    // UTF-8 may be longer than the ANSI bytes: cut at a character boundary.
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

// The system's writer stores a line break as it is, so a value could forge
// further lines or sections: such writes are refused, as on Linux. An empty
// section or key would delete instead of write.
bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    const auto breaks = [](const std::string& s) {
        return s.find_first_of("\r\n") != std::string::npos;
    };
    if (section.empty() || key.empty() || breaks(section) || breaks(key) || breaks(value) ||
        key.find('=') != std::string::npos)
        return false;
    return ::WritePrivateProfileStringA(win32::ToAnsi(section).c_str(), win32::ToAnsi(key).c_str(),
                                        win32::ToAnsi(value).c_str(),
                                        win32::ToAnsi(file).c_str()) != FALSE;
}

}  // namespace plat
