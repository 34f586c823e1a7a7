// Writes 0x00RRGGBB pixels as an 8-bit RGB PNG file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace render {

bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint32_t>& pixels);

}  // namespace render
