#include "png_writer.h"

#include <png.h>

#include <stdexcept>

void WritePngRgba(const std::string& path, const Image& image,
                  const std::vector<std::uint8_t>& alpha) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(image.width) * image.height * 4);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        rgba[4 * i] = image.pixels[i].r;
        rgba[4 * i + 1] = image.pixels[i].g;
        rgba[4 * i + 2] = image.pixels[i].b;
        rgba[4 * i + 3] = alpha[i];
    }
    png_image out{};
    out.version = PNG_IMAGE_VERSION;
    out.width = static_cast<png_uint_32>(image.width);
    out.height = static_cast<png_uint_32>(image.height);
    out.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&out, path.c_str(), 0, rgba.data(), 0, nullptr))
        throw std::runtime_error("cannot write " + path + ": " + out.message);
}
