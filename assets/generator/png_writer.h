// Writes PNG files with an alpha channel (the icons of the Linux desktop).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// alpha: one value per pixel. Throws std::runtime_error when the file
// can't be written.
void WritePngRgba(const std::string& path, const Image& image,
                  const std::vector<std::uint8_t>& alpha);
