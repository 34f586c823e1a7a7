// Copies a picture into an area of another, scaled to the area's size by
// the nearest pixel: a capture of an output into its place in the saver's
// screen, a whole desktop brought to the size the saver draws at.
#pragma once
#include <cstdint>

#include "platform/desktop/linux/screen_layout.h"

namespace plat {

struct PixelPicture {
    const std::uint32_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0;  // pitch in pixels
    bool upsideDown = false;               // rows from the bottom
};

// Writes dst's pixels inside area (clipped to width x height) from src,
// without src's top byte (alpha or padding).
void ScaleInto(const PixelPicture& src, const MonitorRect& area, std::uint32_t* dst, int width,
               int height, int pitch);

}  // namespace plat
