// Colours and plain 8-bit RGB pictures of the artwork generator.
#pragma once
#include <cstdint>
#include <vector>

// A colour with components 0..255 kept as doubles while drawing.
struct Color {
    double r = 0, g = 0, b = 0;
};

Color Mix(Color a, Color b, double t);  // a at t = 0, b at t = 1
Color Shade(Color c, double factor);    // multiplies every component

struct Rgb8 {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
};

Rgb8 ToRgb8(Color c);  // rounds and clamps to 0..255

// The transparent colour of every sprite picture: pure green.
inline constexpr Rgb8 kKeyGreen{0, 255, 0};

// A finished picture, rows from the top.
struct Image {
    int width = 0, height = 0;
    std::vector<Rgb8> pixels;

    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Rgb8& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb8& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
