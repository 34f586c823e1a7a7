// Small text helpers of the Linux stand-ins.
#pragma once
#include <cctype>
#include <string>

namespace posixsys {

// ASCII comparison without regard to case, as file and key names compare.
inline bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace posixsys
