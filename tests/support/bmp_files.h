// Small .bmp files for tests that need pictures of a given declared size
// without holding their pixels: a black-and-white 1-bit file and a
// run-length-coded 8-bit file whose data is as short as its canvas allows.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tests/windows/bmp_bytes.h"

namespace testbmp {

// Headers and a palette of black, then white.
inline std::vector<std::uint8_t> Start(std::int32_t w, std::int32_t h, int bits,
                                       std::uint32_t compression, std::uint32_t dataBytes) {
    const std::uint32_t colours = 1u << bits;
    std::vector<std::uint8_t> b = bmptest::Headers(w, h, bits, colours, dataBytes, compression);
    for (std::uint32_t i = 0; i < colours; ++i) bmptest::Put32(b, i == 0 ? 0 : 0xFFFFFF);
    return b;
}

inline void Save(const std::string& path, const std::vector<std::uint8_t>& b) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A white 1-bit picture of w x h.
inline void WriteMono(const std::string& path, std::int32_t w, std::int32_t h) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(w) + 31) / 32 * 4;
    const std::uint32_t bytes = stride * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> b = Start(w, h, 1, 0, bytes);
    b.resize(b.size() + bytes, 0xFF);
    Save(path, b);
}

// An 8-bit run-length-coded picture of w x h in colour 1: runs of 255
// pixels, an end of line after each row, the end of the picture.
inline void WriteRle8(const std::string& path, std::int32_t w, std::int32_t h) {
    std::vector<std::uint8_t> data;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t left = w; left > 0; left -= 255)
            data.insert(data.end(), {static_cast<std::uint8_t>(left > 255 ? 255 : left), 1});
        data.insert(data.end(), {0, 0});
    }
    data.insert(data.end(), {0, 1});
    std::vector<std::uint8_t> b = Start(w, h, 8, 1, static_cast<std::uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    Save(path, b);
}

}  // namespace testbmp
