#include "tests/windows/bmp_bytes.h"

#include "platform/bmp_header.h"

namespace bmptest {

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
std::vector<std::uint8_t> Headers(int width, int height, int bits, std::uint32_t colours,
                                  std::uint32_t imageSize, std::uint32_t compression) {
    std::vector<std::uint8_t> b;
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + imageSize);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, compression);
    Put32(b, imageSize);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, colours);
    Put32(b, 0);
    return b;
}

namespace {

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

}  // namespace

std::vector<std::uint8_t> Encode24(const Picture& p, bool topDown) {
    const int stride = (p.width * 3 + 3) / 4 * 4;
    auto b = Headers(p.width, topDown ? -p.height : p.height, 24, 0,
                     static_cast<std::uint32_t>(stride * p.height));
    for (int row = 0; row < p.height; ++row) {
        const int y = topDown ? row : p.height - 1 - row;
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t c = p.At(x, y);
            b.push_back(c & 0xFF);
            b.push_back((c >> 8) & 0xFF);
            b.push_back((c >> 16) & 0xFF);
        }
        for (int pad = p.width * 3; pad < stride; ++pad) b.push_back(0);
    }
    return b;
}

std::vector<std::uint8_t> Encode8(int width, int height, const std::vector<std::uint8_t>& index,
                                  const std::vector<std::uint32_t>& palette) {
    const int stride = (width + 3) / 4 * 4;
    auto b = Headers(width, height, 8, static_cast<std::uint32_t>(palette.size()),
                     static_cast<std::uint32_t>(stride * height));
    for (std::uint32_t c : palette) Put32(b, c & 0xFFFFFF);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x)
            b.push_back(index[static_cast<std::size_t>(row * width + x)]);
        for (int pad = width; pad < stride; ++pad) b.push_back(0);
    }
    return b;
}

Picture Decode(const std::vector<std::uint8_t>& f) {
    Picture p;
    const auto h = plat::ReadBmpHeader(f.data(), f.size(), f.size());
    if (!h || h->bitCount == 16) return p;
    const int bits = h->bitCount;
    if (h->compression != plat::kBmpRgb && !(bits == 32 && h->compression == plat::kBmpBitfields))
        return p;
    const int width = h->width, rows = h->height;
    const std::size_t stride = h->stride, offset = h->pixelOffset;
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::size_t table = plat::kBmpFileHeader + h->infoSize;
        for (std::uint32_t i = 0; i < h->colours; ++i)
            palette.push_back(Get32(f, table + 4 * i) & 0xFFFFFF);
        palette.resize(1u << bits, 0);
    }
    p.width = width;
    p.height = rows;
    p.pixels.resize(static_cast<std::size_t>(width) * rows);
    for (int row = 0; row < rows; ++row) {
        const int y = h->topDown ? row : rows - 1 - row;
        const std::size_t line = offset + stride * row;
        for (int x = 0; x < width; ++x) {
            std::uint32_t c;
            if (bits == 1) {
                c = palette[(f[line + x / 8] >> (7 - x % 8)) & 1];
            } else if (bits == 4) {
                c = palette[(f[line + x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
            } else if (bits == 8) {
                c = palette[f[line + x]];
            } else {
                const std::size_t at = line + static_cast<std::size_t>(x) * (bits / 8);
                c = f[at] | (f[at + 1] << 8) | (f[at + 2] << 16);
            }
            p.pixels[static_cast<std::size_t>(y * width + x)] = c;
        }
    }
    return p;
}

Picture Filled(int width, int height, std::uint32_t colour) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(width) * height, colour);
    return p;
}

}  // namespace bmptest
