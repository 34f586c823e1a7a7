// Pictures compiled into the programs (.bmp file bytes), by name.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

// The bytes of the embedded picture, or an empty span when there is none.
std::span<const std::uint8_t> EmbeddedPicture(std::string_view name);
