#include "platform/posix/fltk/fltk_picture.h"

#include <SDL.h>

#include <cstring>

#include "assets/embedded.h"

namespace plat::fltk {

std::unique_ptr<Fl_RGB_Image> LoadPicture(const std::string& name) {
    auto bytes = EmbeddedPicture(name);
    if (bytes.empty()) return nullptr;
    SDL_Surface* file = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), bytes.size()), 1);
    if (!file) return nullptr;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(file);
    if (!rgb) return nullptr;
    const int w = rgb->w, h = rgb->h;
    auto* pixels = new uchar[static_cast<std::size_t>(w) * h * 3];
    for (int y = 0; y < h; ++y)
        std::memcpy(
            pixels + static_cast<std::size_t>(y) * w * 3,
            static_cast<const uchar*>(rgb->pixels) + static_cast<std::size_t>(y) * rgb->pitch,
            static_cast<std::size_t>(w) * 3);
    SDL_FreeSurface(rgb);
    auto image = std::make_unique<Fl_RGB_Image>(pixels, w, h, 3);
    image->alloc_array = 1;  // the image frees the pixels
    return image;
}

}  // namespace plat::fltk
