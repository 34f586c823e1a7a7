// The peer: the same scene composed with SDL2's software colour-key blits
// (RLE), restoring the background under each sprite from a full copy of it,
// then staging the changed areas to a screen-sized surface.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "bench/sprite_layout.h"

class SdlFrame {
  public:
    SdlFrame(int width, int height);
    ~SdlFrame();
    SdlFrame(const SdlFrame&) = delete;
    SdlFrame& operator=(const SdlFrame&) = delete;
    void Run();
    std::uint32_t ScreenPixel(int x, int y) const;

  private:
    struct Sprite {
        Motion motion;
        SDL_Surface* picture;
        SDL_Rect drawn, previous;
    };
    int width_, height_;
    SDL_Surface* background_;
    SDL_Surface* work_;
    SDL_Surface* screen_;
    std::vector<SDL_Surface*> pictures_;
    std::vector<Sprite> sprites_;
};
