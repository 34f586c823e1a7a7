// The reference the saver's CPU is measured against: the same scene as a
// capable developer would write it with plain SDL2, free of the saver's
// drawing rules. The real pictures (32 flags of four sizes with steps in
// -8..8 over the tiled background, the logo on top), flags colour-keyed
// with SDL's RLE blits straight onto the window surface, only the changed
// rectangles presented, 20 frames a second, waiting in
// SDL_WaitEventTimeout. A key, a click or a quit ends it.
// Usage: corvane_plain_saver PICTURE_FOLDER
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/sprite_layout.h"

namespace {

constexpr Uint32 kFramePeriodMs = 50;

struct Flag {
    SDL_Surface* picture;
    Motion motion;
};

SDL_Surface* Load(const std::string& path, const SDL_PixelFormat* format, bool keyed) {
    SDL_Surface* file = SDL_LoadBMP(path.c_str());
    if (!file) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
        return nullptr;
    }
    SDL_Surface* s = SDL_ConvertSurface(file, format, 0);
    SDL_FreeSurface(file);
    if (s && keyed) {
        SDL_SetColorKey(s, SDL_TRUE, SDL_MapRGB(s->format, 0, 255, 0));
        SDL_SetSurfaceRLE(s, 1);
    }
    return s;
}

SDL_Rect RectOf(const Motion& m) {
    return {m.x, m.y, m.width, m.height};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PICTURE_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_DisplayMode mode;
    SDL_GetDesktopDisplayMode(0, &mode);
    SDL_Window* window = SDL_CreateWindow("plain saver", 0, 0, mode.w, mode.h,
                                          SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    SDL_Surface* screen = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!screen) return 1;
    SDL_ShowCursor(SDL_DISABLE);
    const int w = screen->w, h = screen->h;

    // The background: the tile repeated over a surface of the screen's size.
    SDL_Surface* tile = Load(folder + "flag_background.bmp", screen->format, false);
    SDL_Surface* background = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, screen->format->format);
    if (!tile || !background) return 1;
    for (int y = 0; y < h; y += tile->h)
        for (int x = 0; x < w; x += tile->w) {
            SDL_Rect at{x, y, tile->w, tile->h};
            SDL_BlitSurface(tile, nullptr, background, &at);
        }
    SDL_BlitSurface(background, nullptr, screen, nullptr);
    SDL_UpdateWindowSurface(window);

    const char* names[] = {"flag_small.bmp", "flag_med.bmp", "flag_large.bmp", "flag_xlarge.bmp"};
    std::vector<Motion> motions = StartMotions(w, h);
    std::vector<Flag> flags;
    for (std::size_t kind = 0, i = 0; kind < kFlagSizes.size(); ++kind) {
        SDL_Surface* pic = Load(folder + names[kind], screen->format, true);
        if (!pic) return 1;
        for (int n = 0; n < kFlagSizes[kind].count; ++n, ++i) {
            Motion m = motions[i];
            m.width = pic->w, m.height = pic->h;
            flags.push_back({pic, m});
        }
    }
    SDL_Surface* logo = Load(folder + "logo.bmp", screen->format, true);
    if (!logo) return 1;
    const SDL_Rect logoAt{w - logo->w, h - logo->h, logo->w, logo->h};

    std::vector<SDL_Rect> dirty;
    for (;;) {
        const Uint32 start = SDL_GetTicks();
        dirty.clear();
        for (Flag& f : flags) {  // the background back where the flags were
            SDL_Rect r = RectOf(f.motion);
            SDL_BlitSurface(background, &r, screen, &r);
            dirty.push_back(RectOf(f.motion));
        }
        for (Flag& f : flags) {
            Step(f.motion, w, h);
            SDL_Rect r = RectOf(f.motion);
            SDL_BlitSurface(f.picture, nullptr, screen, &r);
            dirty.push_back(RectOf(f.motion));
        }
        SDL_Rect l = logoAt;
        SDL_BlitSurface(logo, nullptr, screen, &l);
        dirty.push_back(logoAt);
        for (SDL_Rect& r : dirty) {  // clipped to the window, as SDL wants them
            SDL_Rect clipped;
            const SDL_Rect all{0, 0, w, h};
            r = SDL_IntersectRect(&r, &all, &clipped) ? clipped : SDL_Rect{0, 0, 0, 0};
        }
        dirty.erase(std::remove_if(dirty.begin(), dirty.end(),
                                   [](const SDL_Rect& r) { return r.w == 0 || r.h == 0; }),
                    dirty.end());
        SDL_UpdateWindowSurfaceRects(window, dirty.data(), static_cast<int>(dirty.size()));
        for (;;) {
            const Uint32 spent = SDL_GetTicks() - start;
            SDL_Event e;
            if (spent >= kFramePeriodMs ||
                !SDL_WaitEventTimeout(&e, static_cast<int>(kFramePeriodMs - spent)))
                break;
            if (e.type == SDL_QUIT || e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN) {
                SDL_Quit();
                return 0;
            }
        }
    }
}
