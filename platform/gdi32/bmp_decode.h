// .bmp file bytes to a bitmap, checked before GDI sees them: a malformed or
// hostile file gives nullptr. Black-and-white 1-bit pictures become
// monochrome bitmaps, all others take the screen's format.
#pragma once
#include <cstddef>
#include <cstdint>

struct HBITMAP__;

namespace win32 {

HBITMAP__* BitmapFromBmpBytes(const std::uint8_t* data, std::size_t size);

}  // namespace win32
