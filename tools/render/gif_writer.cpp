#include "tools/render/gif_writer.h"

#include <algorithm>
#include <array>

namespace render {
namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClear = 256;
constexpr int kEnd = 257;
constexpr int kMaxCode = 4095;

// Codes packed least significant bit first.
class BitPacker {
  public:
    void Put(int code, int bits) {
        acc_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            out.push_back(static_cast<std::uint8_t>(acc_));
            acc_ >>= 8;
            count_ -= 8;
        }
    }
    void Flush() {
        if (count_ > 0) out.push_back(static_cast<std::uint8_t>(acc_));
        acc_ = 0;
        count_ = 0;
    }
    std::vector<std::uint8_t> out;

  private:
    std::uint32_t acc_ = 0;
    int count_ = 0;
};

// The string table: (prefix code, next index) -> code, open addressing.
class CodeTable {
  public:
    void Clear() { keys_.fill(-1); }
    int Find(int prefix, int k) const {
        for (std::size_t i = Slot(prefix, k);; i = (i + 1) % kSize) {
            if (keys_[i] == -1) return -1;
            if (keys_[i] == Key(prefix, k)) return codes_[i];
        }
    }
    void Add(int prefix, int k, int code) {
        std::size_t i = Slot(prefix, k);
        while (keys_[i] != -1) i = (i + 1) % kSize;
        keys_[i] = Key(prefix, k);
        codes_[i] = static_cast<std::int16_t>(code);
    }

  private:
    static constexpr std::size_t kSize = 8191;  // prime, twice the codes
    static int Key(int prefix, int k) { return (prefix << 8) | k; }
    static std::size_t Slot(int prefix, int k) {
        return static_cast<std::size_t>(Key(prefix, k)) * 2654435761u % kSize;
    }
    std::array<int, kSize> keys_;
    std::array<std::int16_t, kSize> codes_;
};

int Distance(std::uint32_t a, std::uint32_t b) {
    int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
    int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
    int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

std::vector<std::uint32_t> MakePalette(const std::vector<std::uint32_t>& pixels) {
    std::unordered_map<std::uint32_t, std::uint32_t> exact;
    for (std::uint32_t p : pixels) {
        if (exact.size() > 256) break;
        ++exact[p & 0xFFFFFF];
    }
    std::vector<std::uint32_t> palette;
    if (exact.size() <= 256) {
        for (auto& kv : exact) palette.push_back(kv.first);
        std::sort(palette.begin(), palette.end());
        return palette;
    }
    // The most common 5-bit-a-channel boxes, each as the mean of its pixels.
    struct Box {
        std::uint64_t r = 0, g = 0, b = 0, n = 0;
    };
    std::vector<Box> boxes(1 << 15);
    for (std::uint32_t p : pixels) {
        Box& box = boxes[((p >> 9) & 0x7C00) | ((p >> 6) & 0x3E0) | ((p >> 3) & 0x1F)];
        box.r += (p >> 16) & 0xFF;
        box.g += (p >> 8) & 0xFF;
        box.b += p & 0xFF;
        ++box.n;
    }
    std::sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.n > b.n; });
    for (std::size_t i = 0; i < 256 && boxes[i].n > 0; ++i) {
        const Box& box = boxes[i];
        palette.push_back(static_cast<std::uint32_t>((box.r / box.n) << 16 | (box.g / box.n) << 8 |
                                                     box.b / box.n));
    }
    return palette;
}

std::vector<std::uint8_t> LzwEncode(const std::vector<std::uint8_t>& indices) {
    BitPacker bits;
    CodeTable table;
    table.Clear();
    int codeSize = kMinCodeSize + 1;
    int next = kEnd + 1;
    bits.Put(kClear, codeSize);
    if (indices.empty()) {
        bits.Put(kEnd, codeSize);
        bits.Flush();
        return std::move(bits.out);
    }
    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        int k = indices[i];
        int found = table.Find(prefix, k);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        bits.Put(prefix, codeSize);
        table.Add(prefix, k, next++);
        // The decoder adds its entry one code later: widen after the code
        // that reaches past the current width.
        if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
        if (next > kMaxCode) {
            bits.Put(kClear, codeSize);
            table.Clear();
            codeSize = kMinCodeSize + 1;
            next = kEnd + 1;
        }
        prefix = k;
    }
    bits.Put(prefix, codeSize);
    bits.Put(kEnd, codeSize);
    bits.Flush();
    return std::move(bits.out);
}

GifWriter::~GifWriter() {
    if (file_) std::fclose(file_);
}

bool GifWriter::Open(const std::string& path, int width, int height, int delay) {
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) return false;
    file_ = std::fopen(path.c_str(), "wb");
    width_ = width;
    height_ = height;
    delay_ = delay;
    ok_ = file_ != nullptr;
    return ok_;
}

void GifWriter::Put(const void* data, std::size_t size) {
    if (file_ && std::fwrite(data, 1, size, file_) != size) ok_ = false;
}

void GifWriter::Put16(int value) {
    std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    Put(b, 2);
}

void GifWriter::WriteHeader() {
    Put("GIF89a", 6);
    Put16(width_);
    Put16(height_);
    const std::uint8_t screen[3] = {0xF7, 0, 0};  // global table of 256 colours
    Put(screen, 3);
    std::uint8_t colours[256 * 3] = {};
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        colours[3 * i] = static_cast<std::uint8_t>(palette_[i] >> 16);
        colours[3 * i + 1] = static_cast<std::uint8_t>(palette_[i] >> 8);
        colours[3 * i + 2] = static_cast<std::uint8_t>(palette_[i]);
    }
    Put(colours, sizeof colours);
    const std::uint8_t loop[19] = {0x21, 0xFF, 11,  'N', 'E', 'T', 'S', 'C', 'A', 'P',
                                   'E',  '2',  '.', '0', 3,   1,   0,   0,   0};
    Put(loop, sizeof loop);
}

std::uint8_t GifWriter::IndexOf(std::uint32_t rgb) {
    rgb &= 0xFFFFFF;
    auto it = nearest_.find(rgb);
    if (it != nearest_.end()) return it->second;
    std::size_t best = 0;
    for (std::size_t i = 1; i < palette_.size(); ++i)
        if (Distance(rgb, palette_[i]) < Distance(rgb, palette_[best])) best = i;
    auto index = static_cast<std::uint8_t>(best);
    nearest_.emplace(rgb, index);
    return index;
}

bool GifWriter::Add(const std::vector<std::uint32_t>& pixels) {
    if (!file_ || pixels.size() != static_cast<std::size_t>(width_) * height_) return false;
    if (palette_.empty()) {
        palette_ = MakePalette(pixels);
        WriteHeader();
    }
    std::vector<std::uint8_t> indices(pixels.size());
    std::uint32_t last = ~0u;
    std::uint8_t lastIndex = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != last) {
            last = pixels[i];
            lastIndex = IndexOf(last);
        }
        indices[i] = lastIndex;
    }
    const std::uint8_t control[8] = {
        0x21, 0xF9, 4, 0, static_cast<std::uint8_t>(delay_), static_cast<std::uint8_t>(delay_ >> 8),
        0,    0};
    Put(control, sizeof control);
    const std::uint8_t image[1] = {0x2C};
    Put(image, 1);
    Put16(0);
    Put16(0);
    Put16(width_);
    Put16(height_);
    const std::uint8_t flags[2] = {0, kMinCodeSize};
    Put(flags, 2);
    std::vector<std::uint8_t> data = LzwEncode(indices);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        auto n = static_cast<std::uint8_t>(std::min<std::size_t>(255, data.size() - at));
        Put(&n, 1);
        Put(data.data() + at, n);
    }
    const std::uint8_t end[1] = {0};
    Put(end, 1);
    return ok_;
}

bool GifWriter::Close() {
    if (!file_) return false;
    const std::uint8_t trailer[1] = {0x3B};
    Put(trailer, 1);
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok_ && closed;
}

}  // namespace render
