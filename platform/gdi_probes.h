// What tests, benchmarks and fuzz targets look at inside the GDI: single
// pixels and the number of live objects. Served by every GDI backend; the
// programs never call them.
#pragma once
#include <cstdint>

#include "platform/handles.h"

namespace plat {

// Device contexts and bitmaps alive now (for tests that count handles); the
// stock 1-by-1 bitmap of fresh memory DCs is not counted.
int LiveObjects();

// One pixel of what a DC draws on (its selected bitmap, or its window), as
// 0x00RRGGBB; monochrome reads as black or white. False off the surface or
// for a handle that is no DC.
bool ReadPixel(HDC hdc, int x, int y, std::uint32_t& rgb);
// Sets one pixel; on a monochrome surface any colour but black sets the bit.
bool WritePixel(HDC hdc, int x, int y, std::uint32_t rgb);

}  // namespace plat
