// .bmp files read through SDL2's codec, converted into our surfaces. The
// shared header check (bmp_header.h) comes first, so that a hostile header
// never makes anyone allocate an absurd surface or read past a short file.
// Colour bitmaps are written as 24-bit files by our own few lines (the
// layout gdi32 writes too), monochrome ones through SDL's encoder.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "platform/bmp_header.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/softgdi/objects.h"

namespace softgdi {
namespace {

// Reads and checks the headers (bmp_header.h); leaves rw at the start.
std::optional<plat::BmpHeader> CheckHeader(SDL_RWops* rw) {
    std::uint8_t b[plat::kBmpHeadBytes] = {};
    const Sint64 size = SDL_RWsize(rw);
    const std::size_t got = SDL_RWread(rw, b, 1, sizeof b);
    if (SDL_RWseek(rw, 0, RW_SEEK_SET) != 0 || size < 0) return std::nullopt;
    return plat::ReadBmpHeader(b, got, static_cast<std::uint64_t>(size));
}

bool IsBlackAndWhite(const SDL_Palette* pal) {
    if (!pal || pal->ncolors != 2) return false;
    const SDL_Color& k = pal->colors[0];
    const SDL_Color& w = pal->colors[1];
    return k.r == 0 && k.g == 0 && k.b == 0 && w.r == 255 && w.g == 255 && w.b == 255;
}

// A palette picture, index by index; indices past the palette read as black.
plat::HBITMAP FromIndexed(SDL_Surface* surf, bool mono) {
    const plat::HBITMAP hbm = NewBitmap(surf->w, surf->h, mono);
    Bitmap* bm = FindBitmap(hbm);
    if (!bm) return 0;
    const SDL_Palette* pal = surf->format->palette;
    Surface& s = bm->surface;
    for (int y = 0; y < surf->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(surf->pixels) + y * surf->pitch;
        for (int x = 0; x < surf->w; ++x) {
            const int i = row[x];
            if (mono) {
                SetMonoBit(s, x, y, i == 1);
            } else if (i < pal->ncolors) {
                const SDL_Color& c = pal->colors[i];
                s.pixels[y * s.pitch + x] = (c.r << 16) | (c.g << 8) | c.b;
            }
        }
    }
    return hbm;
}

// Converted by SDL straight into the new bitmap's pixels: a screen-sized
// picture is never held a third time on its way in.
plat::HBITMAP FromDirect(SDL_Surface* surf) {
    const plat::HBITMAP hbm = NewBitmap(surf->w, surf->h, false);
    Bitmap* bm = FindBitmap(hbm);
    if (!bm) return 0;
    Surface& s = bm->surface;
    if (SDL_ConvertPixels(surf->w, surf->h, surf->format->format, surf->pixels, surf->pitch,
                          SDL_PIXELFORMAT_RGB888, s.pixels, s.pitch * 4) != 0) {
        FreeEntry(hbm);
        return 0;
    }
    for (std::size_t i = 0, n = std::size_t(s.pitch) * s.height; i < n; ++i)
        s.pixels[i] &= 0xFFFFFF;
    return hbm;
}

// A black-and-white 1-bit file becomes a monochrome bitmap, as a Windows
// device-dependent bitmap does; everything else becomes 32-bit colour.
plat::HBITMAP Load(SDL_RWops* rw) {
    if (!rw) return 0;
    plat::HBITMAP result = 0;
    if (const std::optional<plat::BmpHeader> h = CheckHeader(rw)) {
        if (SDL_Surface* surf = SDL_LoadBMP_RW(rw, 0)) {
            const SDL_Palette* pal = surf->format->palette;
            if (pal && surf->format->BitsPerPixel == 8)
                result = FromIndexed(surf, h->bitCount == 1 && IsBlackAndWhite(pal));
            else
                result = FromDirect(surf);
            SDL_FreeSurface(surf);
        }
    }
    SDL_RWclose(rw);
    return result;
}

// Nearest-neighbour resampling to the size LoadImageA asks for.
plat::HBITMAP Resized(plat::HBITMAP src, int cx, int cy) {
    const Surface from = FindBitmap(src)->surface;
    if (cx == 0) cx = from.width;
    if (cy == 0) cy = from.height;
    if (cx == from.width && cy == from.height) return src;
    const plat::HBITMAP dst = NewBitmap(cx, cy, from.mono);
    if (Bitmap* bm = FindBitmap(dst)) {
        Surface& to = bm->surface;
        for (int y = 0; y < cy; ++y) {
            const int fy = int(std::int64_t{y} * from.height / cy);
            for (int x = 0; x < cx; ++x) {
                const int fx = int(std::int64_t{x} * from.width / cx);
                if (from.mono)
                    SetMonoBit(to, x, y, MonoBit(from, fx, fy));
                else
                    to.pixels[y * to.pitch + x] = from.pixels[fy * from.pitch + fx];
            }
        }
    }
    FreeEntry(src);
    return dst;
}

// A monochrome bitmap as a 2-colour palette picture for SDL's encoder.
SDL_Surface* ToSdl(const Surface& s) {
    SDL_Surface* out =
        SDL_CreateRGBSurfaceWithFormat(0, s.width, s.height, 8, SDL_PIXELFORMAT_INDEX8);
    if (!out) return nullptr;
    const SDL_Color bw[2] = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    SDL_SetPaletteColors(out->format->palette, bw, 0, 2);
    out->format->palette->ncolors = 2;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            static_cast<std::uint8_t*>(out->pixels)[y * out->pitch + x] = MonoBit(s, x, y);
    return out;
}

// A seekable SDL stream that writes into a string (SDL's encoder seeks back
// to fill in the header's sizes).
struct StringStream {
    std::string* out;
    std::size_t pos = 0;
};

Sint64 StreamSize(SDL_RWops* rw) {
    return static_cast<Sint64>(static_cast<StringStream*>(rw->hidden.unknown.data1)->out->size());
}

Sint64 StreamSeek(SDL_RWops* rw, Sint64 offset, int whence) {
    auto* s = static_cast<StringStream*>(rw->hidden.unknown.data1);
    Sint64 base = whence == RW_SEEK_SET   ? 0
                  : whence == RW_SEEK_CUR ? static_cast<Sint64>(s->pos)
                                          : static_cast<Sint64>(s->out->size());
    if (base + offset < 0) return -1;
    s->pos = static_cast<std::size_t>(base + offset);
    return static_cast<Sint64>(s->pos);
}

size_t StreamRead(SDL_RWops*, void*, size_t, size_t) {
    return 0;
}

size_t StreamWrite(SDL_RWops* rw, const void* data, size_t size, size_t count) {
    auto* s = static_cast<StringStream*>(rw->hidden.unknown.data1);
    const std::size_t n = size * count;
    if (s->pos + n > s->out->size()) s->out->resize(s->pos + n);
    std::memcpy(s->out->data() + s->pos, data, n);
    s->pos += n;
    return count;
}

int StreamClose(SDL_RWops* rw) {
    SDL_FreeRW(rw);
    return 0;
}

bool EncodeBmp(SDL_Surface* surf, std::string& out) {
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw) return false;
    StringStream stream{&out};
    rw->hidden.unknown.data1 = &stream;
    rw->size = StreamSize;
    rw->seek = StreamSeek;
    rw->read = StreamRead;
    rw->write = StreamWrite;
    rw->close = StreamClose;
    return SDL_SaveBMP_RW(surf, rw, 1) == 0;
}

// A colour bitmap as a 24-bit bottom-up file, encoded into one buffer of
// the file's exact size: a screen-sized picture then costs its file's bytes
// and no converted copy besides.
std::string Encode24(const Surface& s) {
    const std::size_t stride = (std::size_t(s.width) * 3 + 3) / 4 * 4;
    const std::size_t offset = plat::kBmpFileHeader + plat::kBmpInfoHeader;
    const std::size_t size = offset + stride * std::size_t(s.height);
    std::string file(size, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(file.data());
    auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) p[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, 0x4D42, 2);  // "BM"
    put(2, static_cast<std::uint32_t>(size), 4);
    put(10, static_cast<std::uint32_t>(offset), 4);
    put(14, static_cast<std::uint32_t>(plat::kBmpInfoHeader), 4);
    put(18, static_cast<std::uint32_t>(s.width), 4);
    put(22, static_cast<std::uint32_t>(s.height), 4);
    put(26, 1, 2);   // planes
    put(28, 24, 2);  // bits per pixel; no compression, no colour table
    put(34, static_cast<std::uint32_t>(stride * std::size_t(s.height)), 4);
    for (std::int32_t y = 0; y < s.height; ++y) {
        const std::uint32_t* row = s.pixels + std::size_t(s.height - 1 - y) * s.pitch;
        std::uint8_t* out = p + offset + std::size_t(y) * stride;
        for (std::int32_t x = 0; x < s.width; ++x, out += 3) {
            out[0] = static_cast<std::uint8_t>(row[x]);
            out[1] = static_cast<std::uint8_t>(row[x] >> 8);
            out[2] = static_cast<std::uint8_t>(row[x] >> 16);
        }
    }
    return file;
}

}  // namespace
}  // namespace softgdi

namespace plat {

HBITMAP LoadImageA(std::uintptr_t, const std::string& name, std::uint32_t type, int cx, int cy,
                   std::uint32_t flags) {
    if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || cx < 0 || cy < 0 || name.empty())
        return 0;
    const HBITMAP hbm = softgdi::Load(SDL_RWFromFile(name.c_str(), "rb"));
    return hbm ? softgdi::Resized(hbm, cx, cy) : 0;
}

HBITMAP LoadBitmapFromMemory(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0 || size > 0x7FFFFFFF) return 0;
    return softgdi::Load(SDL_RWFromConstMem(data, int(size)));
}

// Written with ReplaceFileContent, so a failed save leaves the old file whole.
// Monochrome bitmaps go through SDL's encoder as 2-colour palette files.
bool SaveBitmapFile(HBITMAP bitmap, const std::string& path) {
    const softgdi::Bitmap* bm = softgdi::FindBitmap(bitmap);
    if (!bm || path.empty()) return false;
    if (!bm->surface.mono) return ReplaceFileContent(path, softgdi::Encode24(bm->surface));
    SDL_Surface* surf = softgdi::ToSdl(bm->surface);
    if (!surf) return false;
    std::string file;
    const bool encoded = softgdi::EncodeBmp(surf, file);
    SDL_FreeSurface(surf);
    return encoded && ReplaceFileContent(path, file);
}

}  // namespace plat
