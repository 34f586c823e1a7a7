#include "image.h"

#include <algorithm>
#include <cmath>

Color Mix(Color a, Color b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color Shade(Color c, double factor) {
    return {c.r * factor, c.g * factor, c.b * factor};
}

static std::uint8_t ToByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

Rgb8 ToRgb8(Color c) {
    return {ToByte(c.r), ToByte(c.g), ToByte(c.b)};
}
