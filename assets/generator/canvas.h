// A supersampled drawing surface: every pixel holds ss x ss samples, each
// either empty or painted with one colour. Shapes are functions of the
// position in pixels, so every drawing is resolution-independent.
#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "image.h"

// A rectangle in pixels.
struct Box {
    double x = 0, y = 0, w = 0, h = 0;
};

// Which samples of a canvas lie inside a shape.
class Mask {
  public:
    Mask(int samples_x, int samples_y, int ss);
    bool At(double x, double y) const;  // x, y in pixels
    void Set(int sx, int sy) { bits_[Index(sx, sy)] = 1; }
    // The mask grown by `radius` pixels in every direction (a round pen).
    Mask Dilated(double radius) const;

  private:
    std::size_t Index(int sx, int sy) const { return static_cast<std::size_t>(sy) * sw_ + sx; }
    int sw_, sh_, ss_;
    std::vector<unsigned char> bits_;
};

using Painter = std::function<std::optional<Color>(double x, double y)>;

class Canvas {
  public:
    Canvas(int width, int height, int ss = 4);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Paints every sample (inside the clip box, if any) where `paint` gives a colour.
    void Paint(const Painter& paint);
    void Fill(Color c) {
        Paint([c](double, double) { return c; });
    }
    void SetClip(std::optional<Box> clip) { clip_ = clip; }

    Mask MakeMask(const std::function<bool(double x, double y)>& inside) const;

    // Averages the painted samples of each pixel. A pixel whose samples are
    // less than half painted becomes `key`; painted edges are therefore
    // smoothed only against painted colours, never against the key. A
    // painted pixel that would equal the key is nudged off it.
    Image Resolve(Rgb8 key = kKeyGreen) const;
    // The same with partial pixels kept: each pixel's painted samples
    // averaged, its alpha the share of samples painted (icons).
    Image ResolveAlpha(std::vector<std::uint8_t>& alpha) const;

  private:
    int width_, height_, ss_;
    int PaintedSamples(int x, int y, Color& sum) const;
    std::vector<Color> color_;
    std::vector<unsigned char> painted_;
    std::optional<Box> clip_;
};
