#include "saver/picture_bounds.h"

#include <algorithm>
#include <optional>

#include "platform/bmp_header.h"

namespace {

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Size(std::int64_t w, std::int64_t h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

}  // namespace

PictureBounds::PictureBounds(std::int32_t screenWidth, std::int32_t screenHeight)
    : screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      maxWidth_(std::max(screenWidth, kFloorSide)),
      maxHeight_(std::max(screenHeight, kFloorSide)) {}

std::string PictureBounds::CheckTile(const std::string& path) const {
    return CheckSide(path, plat::ReadBmpFileHeader(path));
}

std::string PictureBounds::CheckSide(const std::string& path,
                                     const std::optional<plat::BmpHeader>& h) const {
    if (!h || (h->width <= maxWidth_ && h->height <= maxHeight_)) return "";
    return NameOf(path) + ": " + Size(h->width, h->height) + " pixels, larger than the " +
           Size(screenWidth_, screenHeight_) + " screen";
}

std::string PictureBounds::CheckSheet(const std::string& path) {
    const std::optional<plat::BmpHeader> h = plat::ReadBmpFileHeader(path);
    if (std::string why = CheckSide(path, h); !why.empty() || !h) return why;
    const std::int64_t budget = kSheetScreens * maxWidth_ * maxHeight_;
    const std::int64_t pixels = std::int64_t{h->width} * h->height;
    if (sheetPixels_ + pixels > budget)
        return NameOf(path) + ": " + Size(h->width, h->height) +
               " pixels, more than the pictures together may hold (" + std::to_string(budget) +
               " pixels for a " + Size(screenWidth_, screenHeight_) + " screen)";
    sheetPixels_ += pixels;
    return "";
}

std::string PictureBounds::CheckDesktop(const std::string& path, std::int32_t width,
                                        std::int32_t height) const {
    const std::optional<plat::BmpHeader> h = plat::ReadBmpFileHeader(path);
    if (!h || (h->width == width && h->height == height)) return "";
    return NameOf(path) + ": " + Size(h->width, h->height) + " pixels, not the " +
           Size(width, height) + " desktop it was taken of";
}
