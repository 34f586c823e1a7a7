// The scene both frame benchmarks draw: 32 flags of four sizes and a logo
// over a tiled background, with fixed start positions and steps.
#pragma once
#include <cstdint>
#include <vector>

struct SpriteSize {
    int width, height, count;
};

// 16 small, 6 medium, 6 large, 4 extra large flags; then the logo.
inline const std::vector<SpriteSize> kFlagSizes = {
    {64, 43, 16}, {96, 64, 6}, {128, 85, 6}, {192, 128, 4}};
inline constexpr SpriteSize kLogo = {256, 96, 1};

struct Motion {
    int x, y, xDir, yDir, width, height;
};

// Start positions and steps (-8..8, never 0), the same on every run.
std::vector<Motion> StartMotions(int screenWidth, int screenHeight);

// One step with the saver's wrap-around at the screen edges.
void Step(Motion& m, int screenWidth, int screenHeight);
// The wrap-around alone (after the position moved).
void Wrap(Motion& m, int screenWidth, int screenHeight);

// A rectangle of the screen.
struct Area {
    int x, y, w, h;
};

// The rectangles a sprite's move from `previous` to `drawn` copies to the
// window: one over both places, or the two apart after a long move (more
// than 24 pixels along x and y together). Gives their number, 1 or 2.
int StageAreas(const Area& previous, const Area& drawn, Area out[2]);

// A flag picture: coloured stripes, pure green (transparent) in its corners.
std::uint32_t FlagPixel(int x, int y, int width, int height);  // 0x00RRGGBB
// The background tile: a 64x64 pale pattern.
std::uint32_t BackgroundPixel(int x, int y);
