#include "artwork.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "font.h"

using namespace palette;

namespace {

constexpr double kPi = std::numbers::pi;

bool InCircle(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// The banner's design in cloth coordinates: u across (0 at the pole), v down,
// both 0..1; `aspect` is the cloth's width over its height.
Color BannerDesign(double u, double v, double aspect) {
    const double x = u * aspect, y = v;
    // Chevron from the hoist corners to a point on the middle line.
    const double chevron = x + 1.1 * std::abs(y - 0.5);
    if (chevron < 0.50) return kCrimson;
    if (chevron < 0.74) return kGold;
    const double sx = x - (aspect * 0.5 + 0.36), sy = y - 0.5;
    if (InCompassStar(sx, sy, 0.34)) return kIvory;
    return kNavy;
}

// The cloth's wave: vertical offset at u (0 at the pole), in pixels.
struct Wave {
    double amplitude, phase = -0.35 * kPi, turns = 1.15;
    double Angle(double u) const { return 2 * kPi * turns * u + phase; }
    double Offset(double u) const {
        return amplitude * (0.35 + 0.65 * u) * std::sin(Angle(u)) -
               amplitude * 0.35 * std::sin(phase);
    }
    // Light on the cloth: brighter where it faces up-left, darker in the troughs.
    double Light(double u) const {
        const double facing = std::cos(Angle(u) + 0.5);
        const double sheen = std::pow(std::max(0.0, facing), 6);
        return 1.0 + 0.3 * (0.4 + 0.6 * u) * facing + 0.12 * sheen - 0.04 * u;
    }
};

void DrawPole(Canvas& canvas, double cx, double top, double bottom, double width) {
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        const double t = (x - (cx - width / 2)) / width;
        if (t < 0 || t > 1 || y < top || y > bottom) return std::nullopt;
        const double light =
            0.55 + 0.5 * std::pow(std::sin(kPi * std::clamp(t * 1.1, 0.0, 1.0)), 0.7);
        return Shade(Color{150, 146, 140}, light);
    });
}

void DrawKnob(Canvas& canvas, double cx, double cy, double r) {
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        if (!InCircle(x, y, cx, cy, r)) return std::nullopt;
        const double hx = (x - (cx - 0.35 * r)) / r, hy = (y - (cy - 0.35 * r)) / r;
        const double glow = std::max(0.0, 1.0 - std::sqrt(hx * hx + hy * hy));
        return Mix(Shade(kGold, 0.62), Color{255, 240, 190}, std::min(1.0, glow * 1.1));
    });
}

}  // namespace

bool InCompassStar(double dx, double dy, double radius) {
    const double a = std::abs(dx) / radius, b = std::abs(dy) / radius;
    return std::pow(a, 0.6) + std::pow(b, 0.6) <= 1.0;
}

void DrawFlag(Canvas& canvas, Box box) {
    const double pole_w = std::max(1.6, box.w * 0.035);
    const double knob_r = std::max(1.5, pole_w * 1.05);
    const double pole_x = box.x + knob_r;
    const double hoist = pole_x;
    const double cloth_w = box.x + box.w - hoist;
    const double cloth_top = box.y + knob_r * 1.3;
    Wave wave{box.h * 0.085};
    double lo = 0, hi = 0;
    for (int i = 0; i <= 200; ++i) {
        lo = std::min(lo, wave.Offset(i / 200.0));
        hi = std::max(hi, wave.Offset(i / 200.0));
    }
    const double cloth_h = (box.y + box.h - cloth_top) * 0.86 - (hi - lo);
    const double aspect = cloth_w / cloth_h;
    const double edge = 0.7;  // pixels of darker hem along the free edges

    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        const double u = (x - hoist) / cloth_w;
        if (u < 0 || u > 1) return std::nullopt;
        const double v = (y - cloth_top + lo - wave.Offset(u)) / cloth_h;
        if (v < 0 || v > 1) return std::nullopt;
        double light = wave.Light(u) * (1.04 - 0.08 * v);
        if (v * cloth_h < edge || (1 - v) * cloth_h < edge || (1 - u) * cloth_w < edge)
            light *= 0.72;
        return Shade(BannerDesign(u, v, aspect), light);
    });
    DrawPole(canvas, pole_x, box.y + knob_r, box.y + box.h, pole_w);
    DrawKnob(canvas, pole_x, box.y + knob_r, knob_r);
}

void DrawEmblem(Canvas& canvas, double cx, double cy, double radius) {
    const double ring = radius * 0.2;
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        const double dx = x - cx, dy = y - cy, d = std::hypot(dx, dy);
        if (d > radius) return std::nullopt;
        if (d > radius - std::max(0.8, radius * 0.06)) return Shade(kNavy, 0.6);
        if (d > radius - ring) {  // gold ring lit from the top left
            const double t = (dy - dx) / (2 * radius) + 0.5;
            return Mix(Color{255, 226, 130}, Shade(kGold, 0.72), t);
        }
        if (InCompassStar(dx, dy, (radius - ring) * 0.86)) return kIvory;
        return Mix(Shade(kNavy, 1.25), Shade(kNavy, 0.8), (dy / radius + 1) / 2);
    });
}

void DrawLogo(Canvas& canvas, Box box) {
    const double s = box.h / 40.0;
    DrawEmblem(canvas, box.x + 18 * s, box.y + 20 * s, 17 * s);

    const char* word = "Corvane";
    const double left = box.x + 39 * s;
    const double scale = (box.x + box.w - 2.5 * s - left) / TextWidth(word);
    const double top = box.y + (box.h - kFontCapHeight * scale) / 2;
    const Mask text = canvas.MakeMask([=](double x, double y) {
        return TextField(word, (x - left) / scale, (y - top) / scale) >= 0.36;
    });
    const Mask white = text.Dilated(1.5 * s);
    canvas.Paint([&](double x, double y) -> std::optional<Color> {
        if (text.At(x, y))
            return Mix(Shade(kNavy, 1.3), Shade(kNavy, 0.75), (y - top) / (kFontCapHeight * scale));
        if (white.At(x, y)) return palette::kWhite;
        return std::nullopt;
    });
}

Color PaperColor(double x, double y) {
    const double k = 2 * kPi / 64;
    const double weave =
        std::sin(k * 16 * x) * std::sin(k * 16 * y) + 0.5 * std::sin(k * (3 * x + 2 * y));
    const int xi = static_cast<int>(std::floor(x)) & 63, yi = static_cast<int>(std::floor(y)) & 63;
    std::uint32_t h = static_cast<std::uint32_t>(xi + 64 * yi) * 2654435761u;
    h = (h ^ (h >> 15)) * 2246822519u;
    h ^= h >> 13;
    const double grain = (h % 1000) / 1000.0 - 0.5;
    const double v = 253.2 + 0.9 * weave + 1.2 * grain;
    return {v, v, v - 0.6};
}
