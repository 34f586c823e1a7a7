#include "platform/desktop/linux/fltk/fltk_picture.h"

#include <SDL.h>

#include <cstring>

#include "assets/embedded.h"

namespace plat::fltk {

std::unique_ptr<Fl_RGB_Image> LoadPicture(const std::string& name, bool greenIsTransparent) {
    auto bytes = EmbeddedPicture(name);
    if (bytes.empty()) return nullptr;
    SDL_Surface* file = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), bytes.size()), 1);
    if (!file) return nullptr;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(file);
    if (!rgb) return nullptr;
    const int w = rgb->w, h = rgb->h, depth = greenIsTransparent ? 4 : 3;
    auto* pixels = new uchar[static_cast<std::size_t>(w) * h * depth];
    for (int y = 0; y < h; ++y) {
        const auto* in =
            static_cast<const uchar*>(rgb->pixels) + static_cast<std::size_t>(y) * rgb->pitch;
        uchar* out = pixels + static_cast<std::size_t>(y) * w * depth;
        for (int x = 0; x < w; ++x, in += 3, out += depth) {
            std::memcpy(out, in, 3);
            // Pure green is the pictures' transparent colour.
            if (depth == 4) out[3] = (in[0] == 0 && in[1] == 255 && in[2] == 0) ? 0 : 255;
        }
    }
    SDL_FreeSurface(rgb);
    auto image = std::make_unique<Fl_RGB_Image>(pixels, w, h, depth);
    image->alloc_array = 1;  // the image frees the pixels
    return image;
}

}  // namespace plat::fltk
