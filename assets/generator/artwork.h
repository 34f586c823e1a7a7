// The shared motifs of the pictures: the waving Corvane banner on its pole,
// the round emblem, the logo and the white paper texture.
#pragma once
#include "canvas.h"

// The banner's colours.
namespace palette {
inline constexpr Color kNavy{26, 54, 124};
inline constexpr Color kCrimson{192, 34, 52};
inline constexpr Color kGold{242, 180, 44};
inline constexpr Color kIvory{250, 249, 242};
inline constexpr Color kWhite{255, 255, 255};
}  // namespace palette

// A waving banner with shading on a short pole with a gold knob, filling `box`.
void DrawFlag(Canvas& canvas, Box box);

// The emblem: a navy disc with a gold ring and a white compass star.
void DrawEmblem(Canvas& canvas, double cx, double cy, double radius);

// The emblem and the word "Corvane" (navy with a white outline), filling `box`.
void DrawLogo(Canvas& canvas, Box box);

// The background paper: nearly white with a faint weave that repeats every
// 64 pixels in both directions, so tiles meet without a seam.
Color PaperColor(double x, double y);

// True inside a four-pointed star of the given radius centred at (0, 0).
bool InCompassStar(double dx, double dy, double radius);
