// Pixel access and the object count, for tests and benchmarks.
#include "platform/gdi_probes.h"
#include "platform/softgdi/objects.h"

namespace softgdi {
namespace {

Surface* At(plat::HDC hdc, int x, int y) {
    Surface* s = SurfaceOf(hdc);
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height) return nullptr;
    return s;
}

}  // namespace

bool ReadPixelAt(plat::HDC hdc, int x, int y, std::uint32_t& rgb) {
    const Surface* s = At(hdc, x, y);
    if (!s) return false;
    rgb = s->mono ? (MonoBit(*s, x, y) ? 0xFFFFFFu : 0u) : s->pixels[y * s->pitch + x] & 0xFFFFFF;
    return true;
}

bool WritePixelAt(plat::HDC hdc, int x, int y, std::uint32_t rgb) {
    Surface* s = At(hdc, x, y);
    if (!s) return false;
    if (const Dc* dc = FindDC(hdc); dc->hwnd != 0) Unshare(dc->hwnd);
    if (s->mono)
        SetMonoBit(*s, x, y, (rgb & 0xFFFFFF) != 0);
    else
        s->pixels[y * s->pitch + x] = rgb & 0xFFFFFF;
    return true;
}

}  // namespace softgdi

namespace plat {

int LiveObjects() {
    return softgdi::LiveCount();
}
bool ReadPixel(HDC hdc, int x, int y, std::uint32_t& rgb) {
    return softgdi::ReadPixelAt(hdc, x, y, rgb);
}
bool WritePixel(HDC hdc, int x, int y, std::uint32_t rgb) {
    return softgdi::WritePixelAt(hdc, x, y, rgb);
}

}  // namespace plat
