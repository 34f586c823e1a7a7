#include "platform/desktop/linux/x11/x11_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace plat {
namespace {

std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    int shift = __builtin_ctzl(mask);
    unsigned long max = mask >> shift;
    return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / max);
}

unsigned long Place(std::uint32_t value, unsigned long mask) {
    if (!mask) return 0;
    int shift = __builtin_ctzl(mask);
    unsigned long max = mask >> shift;
    return ((value * max + 127) / 255) << shift;
}

}  // namespace

VisualPixels::VisualPixels(void* display)
    : VisualPixels(display, DefaultVisual(static_cast<Display*>(display), 0),
                   DefaultColormap(static_cast<Display*>(display), 0)) {}

VisualPixels::VisualPixels(void* display, void* visual, unsigned long colormap) {
    auto* dpy = static_cast<Display*>(display);
    auto* v = static_cast<Visual*>(visual);
    if (v->c_class == TrueColor) {
        trueColour_ = true;
        masks_ = {v->red_mask, v->green_mask, v->blue_mask};
        return;
    }
    if (v->c_class == DirectColor || v->map_entries <= 0 || v->map_entries > 256) return;
    XColor cells[256];
    for (int i = 0; i < v->map_entries; ++i) cells[i].pixel = static_cast<unsigned long>(i);
    XQueryColors(dpy, colormap, cells, v->map_entries);
    for (int i = 0; i < v->map_entries; ++i)
        colours_[i] = static_cast<std::uint32_t>((cells[i].red >> 8) << 16 |
                                                 (cells[i].green >> 8) << 8 | cells[i].blue >> 8);
    mapped_ = true;
}

VisualPixels VisualPixels::Cube() {
    VisualPixels p;
    p.mapped_ = p.cube_ = true;
    p.colours_ = CubeColours();
    return p;
}

VisualPixels VisualPixels::Masks(unsigned long red, unsigned long green, unsigned long blue) {
    VisualPixels p;
    p.trueColour_ = true;
    p.masks_ = {red, green, blue};
    return p;
}

std::array<std::uint32_t, 256> VisualPixels::CubeColours() {
    std::array<std::uint32_t, 256> c{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint32_t r = (i >> 5) * 255 / 7, g = ((i >> 2) & 7) * 255 / 7, b = (i & 3) * 255 / 3;
        c[i] = r << 16 | g << 8 | b;
    }
    return c;
}

std::uint32_t VisualPixels::ToRgb(unsigned long pixel) const {
    if (mapped_) return colours_[pixel & 0xFF];
    return Channel(pixel, masks_[0]) << 16 | Channel(pixel, masks_[1]) << 8 |
           Channel(pixel, masks_[2]);
}

unsigned long VisualPixels::FromRgb(std::uint32_t rgb) const {
    std::uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    if (cube_) return ((r * 7 + 127) / 255) << 5 | ((g * 7 + 127) / 255) << 2 | (b * 3 + 127) / 255;
    return Place(r, masks_[0]) | Place(g, masks_[1]) | Place(b, masks_[2]);
}

}  // namespace plat
