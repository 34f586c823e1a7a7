#include "bench/sdl_frame.h"

namespace {

SDL_Surface* NewSurface(int w, int h) {
    return SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
}

void Put(SDL_Surface* s, int x, int y, std::uint32_t rgb) {
    static_cast<std::uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] = rgb;
}

}  // namespace

SdlFrame::SdlFrame(int width, int height)
    : width_(width),
      height_(height),
      background_(NewSurface(width, height)),
      work_(NewSurface(width, height)),
      screen_(NewSurface(width, height)) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Put(background_, x, y, BackgroundPixel(x, y));
    SDL_BlitSurface(background_, nullptr, work_, nullptr);
    SDL_BlitSurface(background_, nullptr, screen_, nullptr);

    std::vector<SpriteSize> kinds = kFlagSizes;
    kinds.push_back(kLogo);
    const std::vector<Motion> motions = StartMotions(width, height);
    for (const SpriteSize& k : kinds) {
        SDL_Surface* pic = NewSurface(k.width, k.height);
        for (int y = 0; y < k.height; ++y)
            for (int x = 0; x < k.width; ++x) Put(pic, x, y, FlagPixel(x, y, k.width, k.height));
        SDL_SetColorKey(pic, SDL_TRUE, SDL_MapRGB(pic->format, 0, 255, 0));
        SDL_SetSurfaceRLE(pic, 1);
        pictures_.push_back(pic);
        for (int i = 0; i < k.count; ++i) {
            const Motion& m = motions[sprites_.size()];
            const SDL_Rect off = {-width, -height, k.width, k.height};
            sprites_.push_back({m, pic, off, off});
        }
    }
}

SdlFrame::~SdlFrame() {
    for (SDL_Surface* p : pictures_) SDL_FreeSurface(p);
    SDL_FreeSurface(background_);
    SDL_FreeSurface(work_);
    SDL_FreeSurface(screen_);
}

void SdlFrame::Run() {
    for (Sprite& s : sprites_) {
        SDL_Rect r = s.drawn;
        SDL_BlitSurface(background_, &r, work_, &r);
    }
    for (Sprite& s : sprites_) {
        Step(s.motion, width_, height_);
        s.previous = s.drawn;
        s.drawn = {s.motion.x, s.motion.y, s.motion.width, s.motion.height};
        SDL_Rect r = s.drawn;
        SDL_BlitSurface(s.picture, nullptr, work_, &r);
    }
    for (Sprite& s : sprites_) {
        Area areas[2];
        const int n = StageAreas({s.previous.x, s.previous.y, s.previous.w, s.previous.h},
                                 {s.drawn.x, s.drawn.y, s.drawn.w, s.drawn.h}, areas);
        for (int i = 0; i < n; ++i) {
            SDL_Rect r = {areas[i].x, areas[i].y, areas[i].w, areas[i].h};
            SDL_Rect d = r;
            SDL_BlitSurface(work_, &r, screen_, &d);
        }
    }
}

std::uint32_t SdlFrame::ScreenPixel(int x, int y) const {
    return static_cast<const std::uint32_t*>(screen_->pixels)[y * (screen_->pitch / 4) + x] &
           0xFFFFFF;
}
