// Handle and value types of the platform layer. Handles are 32-bit values,
// 0 means none; on Windows they carry the real handles (which fit 32 bits).
#pragma once
#include <cstdint>

namespace plat {

using HDC = std::uint32_t;
using HBITMAP = std::uint32_t;
using HGDIOBJ = std::uint32_t;
using HWND = std::uint32_t;
using HKEY = std::uint32_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}

}  // namespace plat
