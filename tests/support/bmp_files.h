// Small .bmp files for tests that need pictures of a given declared size
// without holding their pixels: a black-and-white 1-bit file and a
// run-length-coded 8-bit file whose data is as short as its canvas allows.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace testbmp {

inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Headers and palette of a bottom-up file; the pixel data follows.
inline std::vector<std::uint8_t> Headers(std::int32_t w, std::int32_t h, std::uint16_t bits,
                                         std::uint32_t compression, std::uint32_t dataBytes) {
    const std::uint32_t colours = 1u << bits;
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    std::vector<std::uint8_t> b{'B', 'M'};
    Put32(b, offset + dataBytes);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(w));
    Put32(b, static_cast<std::uint32_t>(h));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, compression);
    Put32(b, dataBytes);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, colours);
    Put32(b, 0);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint8_t v = i == 0 ? 0 : 255;  // black, then white
        b.insert(b.end(), {v, v, v, 0});
    }
    return b;
}

inline void Save(const std::string& path, const std::vector<std::uint8_t>& b) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A white 1-bit picture of w x h.
inline void WriteMono(const std::string& path, std::int32_t w, std::int32_t h) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(w) + 31) / 32 * 4;
    std::vector<std::uint8_t> b = Headers(w, h, 1, 0, stride * static_cast<std::uint32_t>(h));
    b.resize(b.size() + std::size_t{stride} * static_cast<std::uint32_t>(h), 0xFF);
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
    std::vector<std::uint8_t> b = Headers(w, h, 8, 1, static_cast<std::uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    Save(path, b);
}

}  // namespace testbmp
