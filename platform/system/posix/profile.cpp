// The settings file on Linux: the profile-string calls over a text file,
// with crash-safe writes.
#include "platform/profile.h"

#include <cstring>

#include "platform/files.h"
#include "platform/system/posix/ini_text.h"

namespace plat {
namespace {

// Larger files are not settings files; they read as missing.
constexpr std::size_t kMaxFileBytes = 16u << 20;

bool HasLineBreak(const std::string& s) {
    return s.find('\n') != std::string::npos || s.find('\r') != std::string::npos;
}

std::uint32_t CopyOut(const std::string& value, char* buffer, std::uint32_t size) {
    if (!buffer || size == 0) return 0;
    std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

}  // namespace

std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, char* buffer,
                                       std::uint32_t size, const std::string& file) {
    std::optional<std::string> value;
    if (auto content = plat::ReadWholeFile(file, kMaxFileBytes))
        value = inifile::IniText(*content).Get(section, key);
    if (!value) {
        std::string d = defaultValue;
        while (!d.empty() && d.back() == ' ') d.pop_back();
        return CopyOut(d, buffer, size);
    }
    return CopyOut(*value, buffer, size);
}

bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    // A line break would let a value forge further lines of the file.
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || key.find('=') != std::string::npos)
        return false;
    std::string content;
    if (auto old = plat::ReadWholeFile(file, kMaxFileBytes))
        content = *old;
    else if (plat::FileExists(file))
        return false;  // never replace a file we could not read
    inifile::IniText text(content);
    text.Set(section, key, value);
    return plat::ReplaceFileContent(file, text.Text());
}

}  // namespace plat
