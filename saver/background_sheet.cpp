#include "saver/background_sheet.h"

#include <algorithm>

#include "common/checked.h"
#include "platform/gdi.h"

namespace {

// Where x falls within a tile of `size` repeated from 0 (also for x < 0).
std::int32_t InTile(std::int32_t x, std::int32_t size) {
    const std::int32_t r = x % size;
    return r < 0 ? r + size : r;
}

}  // namespace

bool BackgroundSheet::Make(cTile& tile, std::int32_t maxWidth, std::int32_t maxHeight) {
    Clear();
    const std::int32_t tw = tile.Width(), th = tile.Height();
    if (tw <= 0 || th <= 0 || maxWidth <= 0 || maxHeight <= 0) return false;
    const std::int32_t w = CheckedAdd(tw, maxWidth), h = CheckedAdd(th, maxHeight);
    auto sheet = std::make_unique<cBitmap>();
    if (!sheet->CreateAtSize(w, h)) return false;
    tile.TileDC(sheet->hDC(), w, h);
    sheet_ = std::move(sheet);
    tileWidth_ = tw;
    tileHeight_ = th;
    return true;
}

void BackgroundSheet::Clear() {
    sheet_.reset();
    tileWidth_ = tileHeight_ = 0;
}

// In pieces no larger than the sheet holds from any point of the tile.
void BackgroundSheet::Put(plat::HDC dc, const StageArea& a) const {
    if (!Ready()) return;
    const std::int32_t stepX = sheet_->Width() - tileWidth_;
    const std::int32_t stepY = sheet_->Height() - tileHeight_;
    for (std::int64_t oy = 0; oy < a.h; oy += stepY) {
        for (std::int64_t ox = 0; ox < a.w; ox += stepX) {
            const auto x = static_cast<std::int32_t>(a.x + ox);
            const auto y = static_cast<std::int32_t>(a.y + oy);
            plat::BitBlt(
                dc, x, y, static_cast<std::int32_t>(std::min<std::int64_t>(stepX, a.w - ox)),
                static_cast<std::int32_t>(std::min<std::int64_t>(stepY, a.h - oy)), sheet_->hDC(),
                InTile(x, tileWidth_), InTile(y, tileHeight_), plat::SRCCOPY);
        }
    }
}

// The rows of `was` above or below `now`, then the columns beside it in the
// rows they share.
void BackgroundSheet::PutAround(plat::HDC dc, const StageArea& was, const StageArea& now) const {
    const std::int64_t dx = std::int64_t{now.x} - was.x, dy = std::int64_t{now.y} - was.y;
    if (was.w <= 0 || was.h <= 0) return;
    if (dx >= was.w || -dx >= was.w || dy >= was.h || -dy >= was.h) return Put(dc, was);
    const auto ady = static_cast<std::int32_t>(dy < 0 ? -dy : dy);
    const auto adx = static_cast<std::int32_t>(dx < 0 ? -dx : dx);
    const std::int32_t shared = was.h - ady;
    const std::int32_t sharedTop = dy > 0 ? now.y : was.y;
    if (dy > 0) Put(dc, {was.x, was.y, was.w, ady});
    if (dy < 0) Put(dc, {was.x, now.y + was.h, was.w, ady});
    if (dx > 0) Put(dc, {was.x, sharedTop, adx, shared});
    if (dx < 0) Put(dc, {now.x + was.w, sharedTop, adx, shared});
}
