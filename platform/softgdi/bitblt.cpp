// BitBlt: clipping to both surfaces, the colour/monochrome conversion rules,
// fast paths for the sprite passes and a per-pixel path for everything else.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/blit_clip.h"
#include "platform/gdi.h"
#include "platform/softgdi/objects.h"
#include "platform/softgdi/raster.h"

namespace softgdi {
namespace {

struct Blit {
    Surface* d;
    const Surface* s;  // nullptr when the operation ignores the source
    std::int32_t dx, dy, sx, sy, w, h;
    std::uint32_t destBk, destText;  // destination DC's colours, 0x00RRGGBB
    std::uint32_t srcBk;             // source DC's background colour
    std::uint8_t code;
};

// Four colour pixels as one vector (the machine's 16-byte registers).
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
constexpr Pixels4 kLeftBits = {0x80, 0x40, 0x20, 0x10};
constexpr Pixels4 kRightBits = {0x08, 0x04, 0x02, 0x01};

// All ones in the lanes whose bit of `byte` is set, for the bits in `which`.
inline Pixels4 Expand(std::uint8_t byte, Pixels4 which) {
    const Pixels4 b = Pixels4{} + std::uint32_t{byte};
    return (Pixels4)((b & which) != 0);
}

// Loads and stores of one pixel (a word) or four (a vector).
inline std::uint32_t Load(const std::uint32_t* p, std::uint32_t) {
    return *p;
}
inline Pixels4 Load(const std::uint32_t* p, Pixels4) {
    Pixels4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void Store(std::uint32_t* p, std::uint32_t v) {
    *p = v;
}
inline void Store(std::uint32_t* p, Pixels4 v) {
    std::memcpy(p, &v, sizeof v);
}

// Asks for a row of pixels ahead of its use: the rows of a rectangle lie a
// screen's width apart, which the hardware's own prefetching does not follow,
// and each row would otherwise start with a wait for memory. Its first and
// last cache lines are enough: the hardware follows a row once started.
inline void Prefetch(const std::uint32_t* row, std::int32_t count) {
    __builtin_prefetch(row);
    __builtin_prefetch(row + count - 1);
}

inline std::uint32_t* PixelAt(const Surface& s, std::int32_t x, std::int32_t y) {
    return s.pixels + std::size_t(y) * s.pitch + x;
}

// The source pixel in the destination's format, as a word of bits.
std::uint32_t SourceWord(const Blit& b, std::int32_t x, std::int32_t y) {
    const Surface& s = *b.s;
    if (b.d->mono) {
        if (s.mono) return MonoBit(s, x, y) ? ~0u : 0u;
        return (s.pixels[y * s.pitch + x] & 0xFFFFFF) == b.srcBk ? ~0u : 0u;
    }
    if (s.mono) return MonoBit(s, x, y) ? b.destBk : b.destText;
    return s.pixels[y * s.pitch + x] & 0xFFFFFF;
}

// One pixel at a time; backward when source and destination share pixels and
// the destination lies after the source, so nothing is read after it was
// overwritten.
void PerPixel(const Blit& b, bool backward) {
    Surface& d = *b.d;
    for (std::int32_t j0 = 0; j0 < b.h; ++j0) {
        const std::int32_t j = backward ? b.h - 1 - j0 : j0;
        for (std::int32_t i0 = 0; i0 < b.w; ++i0) {
            const std::int32_t i = backward ? b.w - 1 - i0 : i0;
            const std::int32_t x = b.dx + i, y = b.dy + j;
            const std::uint32_t s = b.s ? SourceWord(b, b.sx + i, b.sy + j) : 0u;
            if (d.mono) {
                const std::uint32_t old = MonoBit(d, x, y) ? ~0u : 0u;
                SetMonoBit(d, x, y, Ternary(b.code, s, old) & 1);
            } else {
                std::uint32_t& px = d.pixels[y * d.pitch + x];
                px = Ternary(b.code, s, px & 0xFFFFFF) & 0xFFFFFF;
            }
        }
    }
}

void FillColour(const Blit& b, std::uint32_t value) {
    for (std::int32_t j = 0; j < b.h; ++j) {
        std::uint32_t* row = b.d->pixels + std::size_t(b.dy + j) * b.d->pitch + b.dx;
        std::fill(row, row + b.w, value);
    }
}

// Pixels copied onto themselves, unchanged.
bool OntoItself(const Blit& b) {
    return b.code == 0xCC && b.s && b.s->pixels && b.s->pixels == b.d->pixels && b.dx == b.sx &&
           b.dy == b.sy;
}

void CopyColour(const Blit& b) {
    if (OntoItself(b)) return;  // a bitmap sharing its window's pixels
    const bool upward = b.s->pixels == b.d->pixels && b.dy > b.sy;
    for (std::int32_t j0 = 0; j0 < b.h; ++j0) {
        const std::int32_t j = upward ? b.h - 1 - j0 : j0;
        std::uint32_t* dp = b.d->pixels + std::size_t(b.dy + j) * b.d->pitch + b.dx;
        const std::uint32_t* sp = b.s->pixels + std::size_t(b.sy + j) * b.s->pitch + b.sx;
        if (j0 + 1 < b.h) {  // the next row's, ahead of its use
            const std::ptrdiff_t step = upward ? -1 : 1;
            Prefetch(sp + step * b.s->pitch, b.w);
            Prefetch(dp + step * b.d->pitch, b.w);
        }
        std::memmove(dp, sp, std::size_t(b.w) * 4);
    }
}

template <typename Op>
void ColourRows(const Blit& b, Op op) {
    for (std::int32_t j = 0; j < b.h; ++j) {
        std::uint32_t* __restrict dp = b.d->pixels + std::size_t(b.dy + j) * b.d->pitch + b.dx;
        const std::uint32_t* __restrict sp =
            b.s->pixels + std::size_t(b.sy + j) * b.s->pitch + b.sx;
        for (std::int32_t i = 0; i < b.w; ++i) dp[i] = op(sp[i], dp[i]);
    }
}

// The monochrome source in the destination's colours (1 bits its background
// colour, 0 bits its text colour), row by row: row(j) gives put for row j of
// the rectangle, put(i, colour) takes pixel i, colour a word for one pixel or
// a vector for four. Whole source bytes expand to 8 pixels at once.
template <typename Row>
void MonoColours(const Blit b, Row row) {
    const std::uint32_t text = b.destText, diff = b.destText ^ b.destBk;
    for (std::int32_t j = 0; j < b.h; ++j) {
        const std::uint8_t* bits = b.s->bits + std::size_t(b.sy + j) * b.s->pitch;
        auto put = row(j);
        std::int32_t i = 0, bit = b.sx;
        auto one = [&] {
            const std::uint32_t m = ((bits[bit >> 3] >> (7 - (bit & 7))) & 1) ? ~0u : 0u;
            put(i, text ^ (diff & m));
            ++i, ++bit;
        };
        while (i < b.w && (bit & 7)) one();
        for (; i + 8 <= b.w; i += 8, bit += 8) {
            const std::uint8_t byte = bits[bit >> 3];
            put(i, text ^ (diff & Expand(byte, kLeftBits)));
            put(i + 4, text ^ (diff & Expand(byte, kRightBits)));
        }
        while (i < b.w) one();
    }
}

template <typename Op>
void MonoOntoColour(const Blit& b, Op op) {
    MonoColours(b, [&](std::int32_t j) {
        std::uint32_t* dp = PixelAt(*b.d, b.dx, b.dy + j);
        return
            [=](std::int32_t i, auto colour) { Store(dp + i, op(colour, Load(dp + i, colour))); };
    });
}

// Eight colour pixels as one vector: one AVX2 register where the machine has
// them, two 16-byte ones elsewhere.
using Pixels8 = std::uint32_t __attribute__((vector_size(32)));

// A mask's pixel in the DC's own colours: white for a 1 bit, black for 0.
inline std::uint32_t MaskColour(const std::uint8_t* bits, std::int32_t bit) {
    return ((bits[bit >> 3] >> (7 - (bit & 7))) & 1) ? 0xFFFFFFu : 0u;
}
// The bit of each of eight pixels in a mask's byte.
constexpr Pixels8 kMaskBits = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
inline const std::uint8_t* MaskRow(const Blit& mask, std::int32_t j) {
    return mask.s->bits + std::size_t(mask.sy + j) * mask.s->pitch;
}

// A sprite through its mask with the DC's own colours (white background,
// black text): where the mask is white the result is the sprite's pixel,
// whatever was there before, so eight such pixels are copied without reading
// the target; where it is black the target is ANDed with the sprite, and left
// unwritten where that changes nothing (the sprite's white). The same pixels
// as the general pass, with less reading and writing. Built twice (AVX2 and
// baseline), the machine's chosen when the program starts.
__attribute__((target_clones("avx2", "default"))) void SpriteThroughMask(const Blit& mask,
                                                                         const Blit& sprite) {
    auto words = [](const Pixels8& v, std::uint64_t(&q)[4]) { std::memcpy(q, &v, sizeof q); };
    for (std::int32_t j = 0; j < mask.h; ++j) {
        const std::uint8_t* bits = MaskRow(mask, j);
        std::uint32_t* dp = PixelAt(*mask.d, mask.dx, mask.dy + j);
        const std::uint32_t* sp = PixelAt(*sprite.s, sprite.sx, sprite.sy + j);
        if (j + 1 < mask.h) Prefetch(dp + mask.d->pitch, mask.w);
        auto one = [&](std::int32_t i, std::int32_t bit) {
            dp[i] = (dp[i] | MaskColour(bits, bit)) & sp[i];
        };
        std::int32_t i = 0, bit = mask.sx;
        for (; i < mask.w && (bit & 7); ++i, ++bit) one(i, bit);
        for (; i + 8 <= mask.w; i += 8, bit += 8) {
            const std::uint8_t byte = bits[bit >> 3];
            Pixels8 sv, dv;
            std::memcpy(&sv, sp + i, sizeof sv);
            std::uint64_t q[4];
            if (byte == 0xFF) {  // exact where the sprite's top byte is clear, as ours are
                const Pixels8 top = sv & 0xFF000000u;
                words(top, q);
                if ((q[0] | q[1] | q[2] | q[3]) == 0) {
                    std::memcpy(dp + i, &sv, sizeof sv);
                    continue;
                }
            }
            std::memcpy(&dv, dp + i, sizeof dv);
            const Pixels8 r =
                (dv | ((Pixels8)(((Pixels8{} + byte) & kMaskBits) != 0) & 0xFFFFFFu)) & sv;
            const Pixels8 same = (Pixels8)(r == dv);
            words(same, q);
            if ((q[0] & q[1] & q[2] & q[3]) == ~std::uint64_t{0}) continue;
            std::memcpy(dp + i, &r, sizeof r);
        }
        for (; i < mask.w; ++i, ++bit) one(i, bit);
    }
}

// A copy onto a rectangle, then a sprite through its mask onto the same one
// (the DC's own colours), in one pass: the target is only written. Where the
// mask is white the sprite's pixel, elsewhere the copied one ANDed with it.
__attribute__((target_clones("avx2", "default"))) void CopyThenSprite(const Blit& copy,
                                                                      const Blit& mask,
                                                                      const Blit& sprite) {
    for (std::int32_t j = 0; j < mask.h; ++j) {
        const std::uint8_t* bits = MaskRow(mask, j);
        std::uint32_t* dp = PixelAt(*mask.d, mask.dx, mask.dy + j);
        const std::uint32_t* cp = copy.s->pixels + std::size_t(copy.sy + j) * copy.s->pitch;
        const std::uint32_t* sp = PixelAt(*sprite.s, sprite.sx, sprite.sy + j);
        cp += copy.sx;
        if (j + 1 < mask.h) Prefetch(dp + mask.d->pitch, mask.w);
        std::int32_t i = 0, bit = mask.sx;
        for (; i < mask.w && (bit & 7); ++i, ++bit) dp[i] = (cp[i] | MaskColour(bits, bit)) & sp[i];
        for (; i + 8 <= mask.w; i += 8, bit += 8) {
            Pixels8 sv, cv;
            std::memcpy(&sv, sp + i, sizeof sv);
            std::memcpy(&cv, cp + i, sizeof cv);
            const std::uint8_t byte = bits[bit >> 3];
            const Pixels8 r =
                (cv | ((Pixels8)(((Pixels8{} + byte) & kMaskBits) != 0) & 0xFFFFFFu)) & sv;
            std::memcpy(dp + i, &r, sizeof r);
        }
        for (; i < mask.w; ++i, ++bit) dp[i] = (cp[i] | MaskColour(bits, bit)) & sp[i];
    }
}

// A mask ORed onto a rectangle, then a sprite ANDed onto the same one, in
// one pass: the drawing of every transparent sprite.
void MaskThenSprite(const Blit mask, const Blit sprite) {
    if (mask.destBk == 0xFFFFFF && mask.destText == 0) return SpriteThroughMask(mask, sprite);
    MonoColours(mask, [&](std::int32_t j) {
        std::uint32_t* dp = PixelAt(*mask.d, mask.dx, mask.dy + j);
        const std::uint32_t* sp = PixelAt(*sprite.s, sprite.sx, sprite.sy + j);
        if (j + 1 < mask.h) Prefetch(dp + mask.d->pitch, mask.w);
        return [=](std::int32_t i, auto colour) {
            Store(dp + i, (Load(dp + i, colour) | colour) & Load(sp + i, colour));
        };
    });
}

bool SharePixels(const Blit& b) {
    return b.s &&
           ((b.s->pixels && b.s->pixels == b.d->pixels) || (b.s->bits && b.s->bits == b.d->bits));
}

bool Overlap(const Blit& b) {
    return SharePixels(b) && std::abs(b.dx - b.sx) < b.w && std::abs(b.dy - b.sy) < b.h;
}

void Run(const Blit& b) {
    const bool backward = SharePixels(b) && (b.dy > b.sy || (b.dy == b.sy && b.dx > b.sx));
    if (!b.d->mono) {
        if (!b.s && (b.code == 0xFF || b.code == 0x00))
            return FillColour(b, b.code ? 0xFFFFFFu : 0u);
        if (b.s && !b.s->mono) {
            if (b.code == 0xCC) return CopyColour(b);
            if (!Overlap(b) && WithWordOp(b.code, [&](auto op) { ColourRows(b, op); })) return;
        }
        if (b.s && b.s->mono && WithWordOp(b.code, [&](auto op) { MonoOntoColour(b, op); })) return;
    }
    PerPixel(b, backward);
}

// A mask held back by one call: an OR of a monochrome source onto a colour
// memory bitmap waits, so that the AND of a sprite onto the same rectangle
// that follows it (TransparentDraw) runs in the same pass. Anything else that
// could see or change the pixels first reaches them through the object
// table's lookups, which carry the mask out first (FlushPending).
//
// A plain copy between colour memory bitmaps waits too, for a mask and a
// sprite onto the same rectangle: the three run as one pass that only writes
// the target (a background put under a sprite as it is drawn).
struct Held {
    bool hasCopy = false, hasMask = false;
    Blit copy{}, mask{};
};
Held held;

bool HoldsBack(const Blit& b, const Dc& dest) {
    return plat::KindOfTable(b.code) == plat::RopKind::Or && b.s && b.s->mono && !b.d->mono &&
           dest.hwnd == 0;
}

bool HoldsCopy(const Blit& b, const Dc& dest, const Dc* src) {
    return b.code == 0xCC && b.s && !b.s->mono && !b.d->mono && !SharePixels(b) && dest.hwnd == 0 &&
           src && src->hwnd == 0;
}

bool SameRect(const Blit& a, const Blit& b) {
    return a.d == b.d && a.dx == b.dx && a.dy == b.dy && a.w == b.w && a.h == b.h;
}

// A mask after a held copy, in the colours the joined pass knows.
bool JoinsCopy(const Blit& copy, const Blit& b, const Dc& dest) {
    return HoldsBack(b, dest) && SameRect(copy, b) && b.destBk == 0xFFFFFF && b.destText == 0;
}

bool Joins(const Blit& mask, const Blit& b) {
    return plat::KindOfTable(b.code) == plat::RopKind::And && b.s && !b.s->mono &&
           b.s->pixels != b.d->pixels && SameRect(mask, b);
}

// Takes b into what is held, joined with it or held back; false when b is
// to run now (after what was held).
bool TakenIntoHeld(const Blit& b, const Dc& dest, const Dc* src) {
    if (held.hasMask && Joins(held.mask, b)) {
        held.hasMask = false;
        if (held.hasCopy) {
            held.hasCopy = false;
            CopyThenSprite(held.copy, held.mask, b);
        } else {
            MaskThenSprite(held.mask, b);
        }
        return true;
    }
    if (held.hasCopy && !held.hasMask && JoinsCopy(held.copy, b, dest)) {
        held.hasMask = true;
        held.mask = b;
        return true;
    }
    FlushPending();
    if (HoldsBack(b, dest)) {
        held.hasMask = true;
        held.mask = b;
        return true;
    }
    if (HoldsCopy(b, dest, src)) {
        held.hasCopy = true;
        held.copy = b;
        return true;
    }
    return false;
}

}  // namespace

void FlushPending() {
    if (held.hasCopy) {
        held.hasCopy = false;
        CopyColour(held.copy);
    }
    if (!held.hasMask) return;
    held.hasMask = false;
    MonoOntoColour(held.mask, OpOr{});
}

}  // namespace softgdi

namespace plat {

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy,
            std::uint32_t rop) {
    using namespace softgdi;
    Dc* ddc = PeekDC(dest);
    Surface* d = PeekSurface(dest);
    if (!ddc || !d) return false;
    const std::uint8_t code = plat::TernaryCode(rop);
    const Surface* s = nullptr;
    const Dc* sdc = nullptr;
    if (plat::UsesSource(rop)) {
        sdc = PeekDC(src);
        s = PeekSurface(src);
        if (!sdc || !s) return false;
    }
    if (width <= 0 || height <= 0) return true;

    std::int64_t dx = x, dy = y, ssx = sx, ssy = sy;
    const std::int64_t sw = s ? s->width : 0, sh = s ? s->height : 0;
    const std::int64_t w = plat::ClipAxis(dx, ssx, width, d->width, s ? &sw : nullptr);
    const std::int64_t h = plat::ClipAxis(dy, ssy, height, d->height, s ? &sh : nullptr);
    if (w <= 0 || h <= 0) return true;
    if (d->window != 0)
        if (WindowProvider* p = Provider()) p->Writing(d->window);

    Blit b{d,
           s,
           std::int32_t(dx),
           std::int32_t(dy),
           std::int32_t(ssx),
           std::int32_t(ssy),
           std::int32_t(w),
           std::int32_t(h),
           ToRgb(ddc->bkColor),
           ToRgb(ddc->textColor),
           sdc ? ToRgb(sdc->bkColor) : 0u,
           code};
    if (TakenIntoHeld(b, *ddc, sdc)) return true;
    if (sdc && sdc->hwnd != 0)
        if (WindowProvider* p = Provider()) p->Reading(sdc->hwnd);
    // Anything but the sharing bitmap's own copy writes the window: the
    // bitmap takes its pixels back first.
    if (ddc->hwnd != 0 && Shared(ddc->hwnd) && !OntoItself(b)) Unshare(ddc->hwnd);
    Run(b);
    if (ddc->hwnd == 0) return true;
    if (WindowProvider* p = Provider()) p->Changed(ddc->hwnd, b.dx, b.dy, b.w, b.h);
    const bool whole =
        b.dx == 0 && b.dy == 0 && b.sx == 0 && b.sy == 0 && b.w == d->width && b.h == d->height;
    if (code == 0xCC && sdc && sdc->hwnd == 0 && whole) TryShare(*ddc, *d, sdc->bitmap);
    return true;
}

}  // namespace plat
