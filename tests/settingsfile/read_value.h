// Reads one value back through the profile-string call, as the programs do.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/profile.h"

inline std::string Get(const std::string& file, const std::string& section, const std::string& key,
                       std::uint32_t size = 255, const std::string& def = "") {
    char buf[1024];
    std::uint32_t n = plat::GetPrivateProfileStringA(section, key, def, buf, size, file);
    EXPECT_EQ(n, std::strlen(buf));
    return std::string(buf, n);
}
