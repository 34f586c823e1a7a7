// Initialization-file access with the semantics of the Windows profile-string
// calls: sections and keys match without regard to case, a missing file,
// section or key gives the default, the value is cut to size - 1 characters,
// and writing creates the file and the section when they are missing.
#pragma once
#include <cstdint>
#include <string>

namespace plat {

// Copies the value (or the default) into buffer, cut to size - 1 characters
// and zero-terminated; returns the number of characters copied.
std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, char* buffer,
                                       std::uint32_t size, const std::string& file);

// Writes key=value into section; true on success.
bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file);

}  // namespace plat
