// Writes Windows bitmap files (BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB,
// bottom-up rows padded to 4 bytes).
#pragma once
#include <array>
#include <string>

#include "image.h"

// 24 bits per pixel. Throws std::runtime_error when the file can't be written.
void WriteBmp24(const std::string& path, const Image& image);

// 4 bits per pixel with the given palette; every pixel becomes the index of
// the nearest palette colour.
void WriteBmp4(const std::string& path, const Image& image, const std::array<Rgb8, 16>& palette);
