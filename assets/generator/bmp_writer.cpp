#include "bmp_writer.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

class Bytes {
  public:
    void U8(std::uint8_t v) { data_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void PadTo4(std::size_t row_start) {
        while ((data_.size() - row_start) % 4 != 0) U8(0);
    }
    std::size_t Size() const { return data_.size(); }
    const std::vector<std::uint8_t>& Data() const { return data_; }

  private:
    std::vector<std::uint8_t> data_;
};

std::uint32_t RowBytes(int width, int bits) {
    return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4;
}

// File header and info header; `colors` palette entries follow.
void Headers(Bytes& out, const Image& image, int bits, std::uint32_t colors) {
    const std::uint32_t offset = 14 + 40 + 4 * colors;
    const std::uint32_t pixel_bytes = RowBytes(image.width, bits) * image.height;
    out.U8('B');
    out.U8('M');
    out.U32(offset + pixel_bytes);
    out.U32(0);  // reserved
    out.U32(offset);
    out.U32(40);  // info header size
    out.U32(image.width);
    out.U32(image.height);  // positive: bottom-up rows
    out.U16(1);             // planes
    out.U16(bits);
    out.U32(0);  // BI_RGB
    out.U32(pixel_bytes);
    out.U32(3780);  // 96 dpi in pixels per metre
    out.U32(3780);
    out.U32(colors);
    out.U32(colors);
}

void Save(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.Data().data()),
               static_cast<std::streamsize>(bytes.Size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

int Nearest(Rgb8 c, const std::array<Rgb8, 16>& palette) {
    int best = 0, best_d = 1 << 30;
    for (int i = 0; i < 16; ++i) {
        const int dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < best_d) best = i, best_d = d;
    }
    return best;
}

}  // namespace

void WriteBmp24(const std::string& path, const Image& image) {
    Bytes out;
    Headers(out, image, 24, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t row_start = out.Size();
        for (int x = 0; x < image.width; ++x) {
            const Rgb8 p = image.At(x, y);
            out.U8(p.b);
            out.U8(p.g);
            out.U8(p.r);
        }
        out.PadTo4(row_start);
    }
    Save(path, out);
}

void WriteBmp4(const std::string& path, const Image& image, const std::array<Rgb8, 16>& palette) {
    Bytes out;
    Headers(out, image, 4, 16);
    for (const Rgb8& c : palette) {
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t row_start = out.Size();
        for (int x = 0; x < image.width; x += 2) {
            const int hi = Nearest(image.At(x, y), palette);
            const int lo = x + 1 < image.width ? Nearest(image.At(x + 1, y), palette) : 0;
            out.U8(static_cast<std::uint8_t>(hi << 4 | lo));
        }
        out.PadTo4(row_start);
    }
    Save(path, out);
}
