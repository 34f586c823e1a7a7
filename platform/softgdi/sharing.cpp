// Bitmaps that draw straight into a window's pixels. The saver composes each
// frame in a screen-sized bitmap and copies the changed parts to its window;
// where the window's pixels reach the screen only when presented, the bitmap
// can live in them, and those copies become copies of pixels onto themselves,
// which BitBlt skips. Every pixel stays what the copies would have made it
// by the next presentation.
#include <cstring>
#include <vector>

#include "platform/softgdi/objects.h"

namespace softgdi {
namespace {

struct Sharing {
    plat::HWND hwnd;
    plat::HBITMAP bitmap;
};
std::vector<Sharing> sharings;

}  // namespace

bool Shared(plat::HWND hwnd) {
    for (const Sharing& s : sharings)
        if (s.hwnd == hwnd) return true;
    return false;
}

void TryShare(const Dc& dc, const Surface& window, plat::HBITMAP bitmap) {
    Bitmap* b = FindBitmap(bitmap);
    WindowProvider* p = Provider();
    if (!b || bitmap == kStockBitmap || b->surface.mono || b->surface.window != 0 || !p ||
        b->surface.width != window.width || b->surface.height != window.height ||
        window.pitch != window.width || !window.pixels || Shared(dc.hwnd) || !p->MayShare(dc.hwnd))
        return;
    sharings.push_back({dc.hwnd, bitmap});
    b->surface.pixels = window.pixels;
    b->surface.window = dc.hwnd;
    b->colourStore.Discard();
}

void Unshare(plat::HWND hwnd) {
    for (std::size_t i = 0; i < sharings.size();) {
        if (sharings[i].hwnd != hwnd) {
            ++i;
            continue;
        }
        Bitmap* b = FindBitmap(sharings[i].bitmap);
        sharings.erase(sharings.begin() + static_cast<std::ptrdiff_t>(i));
        if (!b || b->surface.window != hwnd) continue;
        Surface& s = b->surface;
        std::memcpy(b->colourStore.get(), s.pixels,
                    std::size_t(s.width) * std::size_t(s.height) * sizeof(std::uint32_t));
        s.pixels = b->colourStore.get();
        s.window = 0;
    }
}

void Forget(plat::HBITMAP bitmap) {
    for (std::size_t i = 0; i < sharings.size(); ++i)
        if (sharings[i].bitmap == bitmap) {
            if (Bitmap* b = FindBitmap(bitmap)) b->surface.window = 0;
            sharings.erase(sharings.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

}  // namespace softgdi
