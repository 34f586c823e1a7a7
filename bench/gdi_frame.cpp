#include "bench/gdi_frame.h"

#include "graphics/ctile.h"
#include "platform/gdi.h"

namespace {

StdPicture MakePicture(int w, int h, std::uint32_t (*pixel)(int, int, int, int)) {
    StdPicture pic(plat::CreateCompatibleBitmap(0, w, h));
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    const plat::HGDIOBJ old = plat::SelectObject(dc, pic.Handle);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) plat::WritePixel(dc, x, y, pixel(x, y, w, h));
    plat::SelectObject(dc, old);
    plat::DeleteDC(dc);
    return pic;
}

std::uint32_t Background(int x, int y, int, int) {
    return BackgroundPixel(x, y);
}

}  // namespace

GdiFrame::GdiFrame(int width, int height)
    : width_(width), height_(height), screen_(std::size_t(width) * height) {
    plat::SetWindowProvider(this);
    screenDC_ = plat::GetDC(plat::GetDesktopWindow());
    back_.CreateAtSize(width, height);
    cTile tile;
    tile.Picture(MakePicture(64, 64, Background));
    tile.TileDC(back_.hDC(), width, height);
    back_.RenderBitmap(screenDC_, 0, 0);

    motions_ = StartMotions(width, height);
    std::vector<SpriteSize> kinds = kFlagSizes;
    kinds.push_back(kLogo);
    for (const SpriteSize& k : kinds) {
        auto sheet = std::make_shared<cSpriteBitmaps>();
        sheet->CreateFromPicture(MakePicture(k.width, k.height, FlagPixel), 1, 1, nullptr,
                                 plat::RGB(0, 255, 0));
        for (int i = 0; i < k.count; ++i) {
            auto s = std::make_unique<cSprite>();
            s->SpriteData(sheet);
            s->Create(screenDC_);
            const Motion& m = motions_[sprites_.size()];
            s->X(m.x);
            s->Y(m.y);
            s->XDir(m.xDir);
            s->YDir(m.yDir);
            sprites_.push_back(std::move(s));
        }
        sheets_.push_back(std::move(sheet));
    }
}

GdiFrame::~GdiFrame() {
    sprites_.clear();
    sheets_.clear();
    plat::ReleaseDC(plat::GetDesktopWindow(), screenDC_);
    plat::SetWindowProvider(nullptr);
}

bool GdiFrame::Acquire(plat::HWND, plat::WindowSurface& out) {
    out = {screen_.data(), width_, height_, width_};
    return true;
}

void GdiFrame::Run() {
    const plat::HDC b = back_.hDC();
    for (auto& s : sprites_) s->RestoreBackground(b);
    for (std::size_t i = 0; i < sprites_.size(); ++i) {
        cSprite& s = *sprites_[i];
        Motion& m = motions_[i];
        s.IncrementPosition();
        m.x = s.X();
        m.y = s.Y();
        Wrap(m, width_, height_);
        s.X(m.x);
        s.Y(m.y);
        s.StoreBackground(b, s.X(), s.Y());
    }
    // As the saver draws: straight onto the stage, without the build bitmap.
    for (auto& s : sprites_) s->TransparentDraw(b, s->X(), s->Y(), 1, false);
    for (auto& s : sprites_) s->StageToScreen(screenDC_, b);
}

std::int64_t GdiFrame::BytesWritten() const {
    std::int64_t px = 0;
    for (const auto& s : sprites_) {
        const std::int64_t area = std::int64_t{s->Width()} * s->Height();
        px += 3 * area;  // restore, store, the sprite through its mask; the stage is shared
    }
    return px * 4;
}
