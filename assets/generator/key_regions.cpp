#include "key_regions.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// Marks the pure green pixels reachable from the border (4-connected).
std::vector<unsigned char> OutsideKey(const Image& image) {
    const int w = image.width, h = image.height;
    std::vector<unsigned char> seen(static_cast<std::size_t>(w) * h);
    std::vector<std::pair<int, int>> todo;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        const std::size_t i = static_cast<std::size_t>(y) * w + x;
        if (seen[i] || !(image.At(x, y) == kKeyGreen)) return;
        seen[i] = 1;
        todo.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
    for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
    }
    return seen;
}

}  // namespace

void FillKeyHoles(Image& image, Rgb8 fill) {
    const auto outside = OutsideKey(image);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        if (image.pixels[i] == kKeyGreen && !outside[i]) image.pixels[i] = fill;
}

void CheckKeyOnlyOutside(const Image& image, const std::string& what) {
    const auto outside = OutsideKey(image);
    bool drawn = false;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const bool key = image.pixels[i] == kKeyGreen;
        drawn = drawn || !key;
        if (key && !outside[i]) {
            const auto x = i % image.width, y = i / image.width;
            throw std::runtime_error(what + ": transparent pixel inside the drawing at " +
                                     std::to_string(x) + "," + std::to_string(y));
        }
    }
    if (!drawn) throw std::runtime_error(what + ": nothing drawn");
}
