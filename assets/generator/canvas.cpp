#include "canvas.h"

#include <cmath>

Mask::Mask(int samples_x, int samples_y, int ss)
    : sw_(samples_x), sh_(samples_y), ss_(ss), bits_(static_cast<std::size_t>(sw_) * sh_) {}

bool Mask::At(double x, double y) const {
    const int sx = static_cast<int>(std::floor(x * ss_));
    const int sy = static_cast<int>(std::floor(y * ss_));
    if (sx < 0 || sy < 0 || sx >= sw_ || sy >= sh_) return false;
    return bits_[Index(sx, sy)] != 0;
}

Mask Mask::Dilated(double radius) const {
    Mask out(sw_, sh_, ss_);
    const double r = radius * ss_;
    const int ri = static_cast<int>(std::ceil(r));
    for (int sy = 0; sy < sh_; ++sy) {
        for (int sx = 0; sx < sw_; ++sx) {
            if (!bits_[Index(sx, sy)]) continue;
            for (int dy = -ri; dy <= ri; ++dy) {
                for (int dx = -ri; dx <= ri; ++dx) {
                    const int x = sx + dx, y = sy + dy;
                    if (dx * dx + dy * dy > r * r || x < 0 || y < 0 || x >= sw_ || y >= sh_)
                        continue;
                    out.Set(x, y);
                }
            }
        }
    }
    return out;
}

Canvas::Canvas(int width, int height, int ss)
    : width_(width),
      height_(height),
      ss_(ss),
      color_(static_cast<std::size_t>(width * ss) * height * ss),
      painted_(color_.size()) {}

void Canvas::Paint(const Painter& paint) {
    const int sw = width_ * ss_, sh = height_ * ss_;
    for (int sy = 0; sy < sh; ++sy) {
        const double y = (sy + 0.5) / ss_;
        for (int sx = 0; sx < sw; ++sx) {
            const double x = (sx + 0.5) / ss_;
            if (clip_ && (x < clip_->x || y < clip_->y || x >= clip_->x + clip_->w ||
                          y >= clip_->y + clip_->h))
                continue;
            if (const auto c = paint(x, y)) {
                const std::size_t i = static_cast<std::size_t>(sy) * sw + sx;
                color_[i] = *c;
                painted_[i] = 1;
            }
        }
    }
}

Mask Canvas::MakeMask(const std::function<bool(double, double)>& inside) const {
    const int sw = width_ * ss_, sh = height_ * ss_;
    Mask mask(sw, sh, ss_);
    for (int sy = 0; sy < sh; ++sy)
        for (int sx = 0; sx < sw; ++sx)
            if (inside((sx + 0.5) / ss_, (sy + 0.5) / ss_)) mask.Set(sx, sy);
    return mask;
}

// The painted samples of pixel (x, y): their sum, and how many there are.
int Canvas::PaintedSamples(int x, int y, Color& sum) const {
    const int sw = width_ * ss_;
    int count = 0;
    for (int j = 0; j < ss_; ++j) {
        for (int i = 0; i < ss_; ++i) {
            const std::size_t k = static_cast<std::size_t>(y * ss_ + j) * sw + x * ss_ + i;
            if (!painted_[k]) continue;
            sum = {sum.r + color_[k].r, sum.g + color_[k].g, sum.b + color_[k].b};
            ++count;
        }
    }
    return count;
}

Image Canvas::Resolve(Rgb8 key) const {
    Image out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Color sum;
            const int count = PaintedSamples(x, y, sum);
            if (2 * count < ss_ * ss_) {
                out.At(x, y) = key;
                continue;
            }
            Rgb8 p = ToRgb8(Shade(sum, 1.0 / count));
            if (p == key) p.g = static_cast<std::uint8_t>(p.g > 0 ? p.g - 1 : 1);
            out.At(x, y) = p;
        }
    }
    return out;
}

Image Canvas::ResolveAlpha(std::vector<std::uint8_t>& alpha) const {
    Image out(width_, height_);
    alpha.assign(static_cast<std::size_t>(width_) * height_, 0);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Color sum;
            const int count = PaintedSamples(x, y, sum);
            if (count == 0) continue;
            out.At(x, y) = ToRgb8(Shade(sum, 1.0 / count));
            alpha[static_cast<std::size_t>(y) * width_ + x] =
                static_cast<std::uint8_t>((255 * count + ss_ * ss_ / 2) / (ss_ * ss_));
        }
    }
    return out;
}
