// The software GDI's object table: bitmaps and device contexts behind small
// integer handles. Internal to the software GDI.
//
// Behaviour beyond the Windows documentation: CreateCompatibleBitmap with
// reference 0 makes a screen-format (colour) bitmap; BitBlt applies any
// ternary raster operation, drawing with the fresh DC's white brush; a
// black-and-white 1-bit .bmp file loads as a monochrome bitmap.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/gdi_probes.h"
#include "platform/handles.h"
#include "platform/window_pixels.h"

namespace softgdi {

using plat::kDesktopWindow;
using plat::WindowProvider;
using plat::WindowSurface;

// Pixels of a bitmap or window. Colour: 0x00RRGGBB words, pitch in pixels.
// Monochrome: 1 bit per pixel, leftmost pixel in the byte's high bit, 1 =
// white, pitch in bytes.
struct Surface {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;
    bool mono = false;
    std::uint32_t* pixels = nullptr;
    std::uint8_t* bits = nullptr;
    // The window whose pixels these are: a window DC's, or a bitmap's drawing
    // straight into them (sharing.cpp).
    plat::HWND window = 0;
};

// Colour pixels, zero-filled (black). Large ones get pages of their own,
// asked for in huge pages: a screen-sized bitmap then needs a few TLB
// entries instead of one per 4 KiB, which the sprite passes (one page per
// row) would otherwise walk afresh in every frame.
class PixelStore {
  public:
    PixelStore() = default;
    ~PixelStore();
    PixelStore(const PixelStore&) = delete;
    PixelStore& operator=(const PixelStore&) = delete;
    bool Allocate(std::size_t count);  // false when out of memory
    std::uint32_t* get() const { return pixels_; }
    // Gives a mapped store's pages back while its pixels live elsewhere; they
    // come back zero-filled when next written.
    void Discard();

  private:
    std::uint32_t* pixels_ = nullptr;
    std::size_t mapped_ = 0;  // bytes mapped, 0 for a heap block
};

struct Bitmap {
    Surface surface;
    PixelStore colourStore;
    std::unique_ptr<std::uint8_t[]> monoStore;
    plat::HDC selectedIn = 0;
};

enum class Kind : std::uint8_t { Free, Bitmap, MemoryDC, WindowDC, Stock };

struct Dc {
    plat::HBITMAP bitmap = 0;           // memory DC: the selected bitmap
    plat::COLORREF bkColor = 0xFFFFFF;  // white background
    plat::COLORREF textColor = 0;       // black text
    plat::HWND hwnd = 0;                // window DC: its window and pixels
    Surface window;
};

struct Entry {
    Kind kind = Kind::Free;
    std::unique_ptr<Bitmap> bitmap;
    Dc dc;
};

// The 1-by-1 monochrome bitmap every fresh memory DC holds; never freed.
constexpr plat::HBITMAP kStockBitmap = 1;

// A new bitmap of the given size (sizes already checked > 0), zero-filled
// (black); 0 when it cannot be allocated.
plat::HBITMAP NewBitmap(std::int32_t width, std::int32_t height, bool mono);
plat::HDC NewMemoryDC();
plat::HDC NewWindowDC(plat::HWND hwnd, const WindowSurface& pixels);
void FreeEntry(std::uint32_t handle);

// The entry of a live handle, or nullptr. Valid until the next creation.
// These lookups are the one way to an object, and each first carries out a
// BitBlt held back to be joined with the next one (FlushPending): whatever
// reads or writes pixels, selects or frees a bitmap, reached them through
// here and so sees finished pixels.
Entry* Find(std::uint32_t handle);
Bitmap* FindBitmap(plat::HBITMAP handle);  // stock bitmap included
Dc* FindDC(plat::HDC handle);              // memory or window DC
Surface* SurfaceOf(plat::HDC hdc);         // the pixels a DC draws on, or nullptr

// The same lookups leaving a held BitBlt held: for BitBlt alone, which
// decides whether its operation joins the held one.
Entry* Peek(std::uint32_t handle);
Dc* PeekDC(plat::HDC handle);
Surface* PeekSurface(plat::HDC hdc);

// A colour bitmap drawing straight into a window's pixels (see
// WindowProvider::MayShare; sharing.cpp). After a whole copy of `bitmap` onto
// the window DC `dc`, shares them when the provider allows it and nothing
// shares them yet.
void TryShare(const Dc& dc, const Surface& window, plat::HBITMAP bitmap);
// Every bitmap drawing into hwnd's pixels takes its own back.
void Unshare(plat::HWND hwnd);
bool Shared(plat::HWND hwnd);
// A bitmap about to be freed stops sharing.
void Forget(plat::HBITMAP bitmap);

// Carries out the BitBlt held back, if any (bitblt.cpp).
void FlushPending();

WindowProvider* Provider();
void SetProvider(WindowProvider* provider);
void MoveWindowDCs(plat::HWND hwnd, const WindowSurface& pixels);
int LiveCount();

// 0x00BBGGRR to 0x00RRGGBB and back.
constexpr std::uint32_t ToRgb(plat::COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr plat::COLORREF ToColorRef(std::uint32_t rgb) {
    return ToRgb(rgb);
}

inline bool MonoBit(const Surface& s, std::int32_t x, std::int32_t y) {
    return (s.bits[y * s.pitch + (x >> 3)] >> (7 - (x & 7))) & 1;
}
inline void SetMonoBit(Surface& s, std::int32_t x, std::int32_t y, bool on) {
    std::uint8_t& b = s.bits[y * s.pitch + (x >> 3)];
    const std::uint8_t m = static_cast<std::uint8_t>(0x80 >> (x & 7));
    b = on ? static_cast<std::uint8_t>(b | m) : static_cast<std::uint8_t>(b & ~m);
}

}  // namespace softgdi
