#include "pictures.h"

#include <algorithm>
#include <cmath>

#include "artwork.h"
#include "font.h"
#include "key_regions.h"

using namespace palette;

namespace {

std::optional<Color> Paper(double x, double y) {
    return PaperColor(x, y);
}

bool InRoundedBox(double x, double y, Box b, double r) {
    const double cx = std::clamp(x, b.x + r, b.x + b.w - r);
    const double cy = std::clamp(y, b.y + r, b.y + b.h - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// Text at one pixel per font cell, top-left at (left, top).
void DrawPixelText(Canvas& canvas, const char* text, int left, int top, Color ink) {
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        const int c = static_cast<int>(std::floor(x)) - left;
        const int r = static_cast<int>(std::floor(y)) - top;
        if (!TextInk(text, c, r)) return std::nullopt;
        return ink;
    });
}

// A scene of the saver: flags of several sizes over the paper, the logo in
// the bottom-right corner. `s` scales the flags to the area.
void DrawSaverScene(Canvas& canvas, Box area, double s) {
    canvas.Paint(Paper);
    struct Placed {
        double x, y, w;
    };
    const Placed flags[] = {
        {0.05, 0.06, 0.26}, {0.55, 0.04, 0.20}, {0.36, 0.33, 0.34},
        {0.82, 0.30, 0.20}, {0.02, 0.52, 0.18}, {0.70, 0.56, 0.14},
        {0.22, 0.72, 0.22}, {0.91, 0.05, 0.16}, {-0.06, 0.28, 0.14},
    };
    for (const Placed& f : flags) {
        const double w = f.w * area.w * s;
        DrawFlag(canvas, {area.x + f.x * area.w, area.y + f.y * area.h, w, w / 1.5});
    }
    const double lw = area.w * 0.42, lh = lw / 3;
    DrawLogo(canvas, {area.x + area.w - lw - 1, area.y + area.h - lh - 1, lw, lh});
}

}  // namespace

Image FlagPicture(int width, int height) {
    Canvas canvas(width, height);
    DrawFlag(canvas, {0, 0, static_cast<double>(width), static_cast<double>(height)});
    return canvas.Resolve();
}

Image LogoPicture() {
    Canvas canvas(120, 40);
    DrawLogo(canvas, {0, 0, 120, 40});
    Image logo = canvas.Resolve();
    FillKeyHoles(logo, ToRgb8(kWhite));  // letters' insides stay white, as their outline
    return logo;
}

Image BackgroundTile() {
    Canvas canvas(64, 64);
    canvas.Paint(Paper);
    return canvas.Resolve();
}

Image PreviewPicture() {
    Canvas canvas(151, 119);
    DrawSaverScene(canvas, {0, 0, 151, 119}, 1.0);
    return canvas.Resolve();
}

Image SettingsPicture() {
    Canvas canvas(121, 100);
    canvas.Fill(kWhite);
    const Box bezel{5, 4, 111, 76}, screen{10, 9, 101, 64};
    // Soft shadow under the stand.
    canvas.Paint([](double x, double y) -> std::optional<Color> {
        const double dx = (x - 60.5) / 40, dy = (y - 95.5) / 4;
        const double d = dx * dx + dy * dy;
        if (d > 1) return std::nullopt;
        return Mix(Color{205, 208, 214}, kWhite, d);
    });
    canvas.Paint([](double x, double y) -> std::optional<Color> {  // neck and foot
        const bool neck = y >= 79 && y < 90 && std::abs(x - 60.5) < 8 - (y - 79) * 0.25;
        const bool foot = InRoundedBox(x, y, {34, 88, 53, 7}, 3);
        if (!neck && !foot) return std::nullopt;
        return Mix(Color{120, 126, 136}, Color{70, 74, 82}, (y - 79) / 16);
    });
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        if (!InRoundedBox(x, y, bezel, 5)) return std::nullopt;
        return Mix(Color{78, 84, 96}, Color{36, 40, 48}, (y - bezel.y) / bezel.h);
    });
    canvas.SetClip(screen);
    DrawSaverScene(canvas, screen, 1.15);
    canvas.SetClip(std::nullopt);
    canvas.Paint([](double x, double y) -> std::optional<Color> {  // power light
        if (std::hypot(x - 108, y - 76.5) > 1.3) return std::nullopt;
        return Color{120, 200, 255};
    });
    return canvas.Resolve();
}

Image WebsiteButtonPicture() {
    Canvas canvas(102, 17);
    canvas.Fill(kWhite);
    const double gx = 9, gy = 8.5, r = 6.5;
    canvas.Paint([=](double x, double y) -> std::optional<Color> {  // a globe
        const double dx = (x - gx) / r, dy = (y - gy) / r, d = std::hypot(dx, dy);
        if (d > 1) return std::nullopt;
        if (d > 0.86) return Shade(kNavy, 0.8);
        const double lon = dx / std::sqrt(1 - dy * dy);  // -1..1 across a parallel
        const bool line = std::abs(dy) < 0.08 || std::abs(std::abs(dy) - 0.5) < 0.07 ||
                          std::abs(lon) < 0.1 || std::abs(std::abs(lon) - 0.7) < 0.09;
        const Color sea = Mix(Color{110, 170, 235}, Color{30, 80, 170}, (dx + dy + 2) / 4);
        return line ? Mix(sea, kWhite, 0.65) : sea;
    });
    const char* text = "Visit our web site";
    const int left = 20 + (80 - TextWidth(text)) / 2;
    DrawPixelText(canvas, text, left, 5, Shade(kNavy, 0.9));
    canvas.Paint([=](double x, double y) -> std::optional<Color> {  // link underline
        if (y < 13 || y >= 14 || x < left || x >= left + TextWidth(text)) return std::nullopt;
        return Mix(kNavy, kWhite, 0.55);
    });
    return canvas.Resolve();
}

Image TellwellPicture() {
    Canvas canvas(80, 46);
    canvas.Fill(kWhite);
    const Box env{6, 5, 64, 37};
    const double apex_x = env.x + env.w / 2, apex_y = env.y + env.h * 0.58;
    canvas.Paint([=](double x, double y) -> std::optional<Color> {  // shadow
        if (!InRoundedBox(x, y, {env.x + 2.5, env.y + 2.5, env.w, env.h}, 2)) return std::nullopt;
        return Color{214, 216, 222};
    });
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        if (!InRoundedBox(x, y, env, 2)) return std::nullopt;
        const bool border = !InRoundedBox(x, y, {env.x + 1, env.y + 1, env.w - 2, env.h - 2}, 1.5);
        if (border) return Color{150, 140, 120};
        // The flap: a triangle from the top corners down to the apex.
        const double t = (x - env.x) / env.w;
        const double flap_edge = env.y + (apex_y - env.y) * (1 - std::abs(2 * t - 1));
        if (y < flap_edge - 0.6)
            return Mix(Color{246, 238, 218}, Color{232, 220, 192}, (y - env.y) / env.h);
        if (y < flap_edge + 0.6) return Color{176, 162, 134};
        // The lower folds meeting under the flap.
        const double fold = env.y + env.h - (env.h * 0.45) * (1 - std::abs(2 * t - 1));
        if (std::abs(y - fold) < 0.45) return Color{214, 202, 176};
        return Mix(Color{252, 248, 236}, Color{240, 232, 212}, (y - env.y) / env.h);
    });
    // A red wax seal at the flap's point.
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        const double d = std::hypot(x - apex_x, y - apex_y);
        if (d > 4.2) return std::nullopt;
        if (InCompassStar(x - apex_x, y - apex_y, 2.8)) return Color{236, 150, 150};
        return Mix(Shade(kCrimson, 1.1), Shade(kCrimson, 0.7), d / 4.2);
    });
    // The stamp: a white perforated square holding the banner.
    const Box stamp{env.x + env.w - 20, env.y + 3, 17, 13};
    canvas.Paint([=](double x, double y) -> std::optional<Color> {
        if (x < stamp.x || y < stamp.y || x >= stamp.x + stamp.w || y >= stamp.y + stamp.h)
            return std::nullopt;
        const double ex = std::min(x - stamp.x, stamp.x + stamp.w - x);
        const double ey = std::min(y - stamp.y, stamp.y + stamp.h - y);
        const bool notch = (ex < 0.9 && std::fmod(y - stamp.y, 2.0) < 1.0) ||
                           (ey < 0.9 && std::fmod(x - stamp.x, 2.0) < 1.0);
        if (notch) return std::nullopt;
        return Color{253, 253, 250};
    });
    canvas.Paint([=](double x, double y) -> std::optional<Color> {  // the stamp's picture
        if (x < stamp.x + 1.5 || y < stamp.y + 1.5 || x >= stamp.x + stamp.w - 1.5 ||
            y >= stamp.y + stamp.h - 1.5)
            return std::nullopt;
        return Mix(Color{200, 222, 245}, Color{235, 243, 252}, (y - stamp.y) / stamp.h);
    });
    DrawEmblem(canvas, stamp.x + stamp.w / 2, stamp.y + stamp.h / 2, 4.6);
    return canvas.Resolve();
}

Image AppIconPicture(int size, std::vector<std::uint8_t>& alpha) {
    Canvas canvas(size, size, size < 64 ? 8 : 4);
    const double s = size;
    DrawFlag(canvas, {s * 0.02, s * 0.16, s * 0.96, s * 0.68});
    return canvas.ResolveAlpha(alpha);
}

Image FormIconPicture() {
    Canvas canvas(32, 32);
    DrawFlag(canvas, {1, 4, 30, 24});
    return canvas.Resolve();
}

std::array<Rgb8, 16> FormIconPalette() {
    auto c = [](Color col) { return ToRgb8(col); };
    return {kKeyGreen,
            c(kNavy),
            c(Shade(kNavy, 0.7)),
            c(Shade(kNavy, 1.25)),
            c(kCrimson),
            c(Shade(kCrimson, 0.72)),
            c(kGold),
            c(Shade(kGold, 0.7)),
            c(kIvory),
            c(Shade(kIvory, 0.8)),
            c(Color{220, 216, 208}),
            c(Color{150, 146, 140}),
            c(Color{90, 88, 84}),
            c(Color{255, 236, 170}),
            Rgb8{0, 0, 0},
            Rgb8{255, 255, 255}};
}
