// Every picture the programs use, drawn at its final size.
#pragma once
#include <array>

#include "image.h"

// Sprite pictures of the picture folder: pure green where transparent.
Image FlagPicture(int width, int height);
Image LogoPicture();
// The background tile: 64 x 64, white with a faint seamless texture.
Image BackgroundTile();

// Pictures compiled into the programs (opaque).
Image PreviewPicture();                  // 151 x 119, a miniature of the running saver
Image SettingsPicture();                 // 121 x 100, a monitor showing the saver, on white
Image WebsiteButtonPicture();            // 102 x 17, "Visit our web site" on white
Image TellwellPicture();                 // 80 x 46, a sealed envelope with a stamp
Image FormIconPicture();                 // 32 x 32, a small flag; pure green where transparent
std::array<Rgb8, 16> FormIconPalette();  // index 0 is pure green

// The program's icon at size x size: the flag on a transparent square
// (alpha: each pixel's coverage).
Image AppIconPicture(int size, std::vector<std::uint8_t>& alpha);
