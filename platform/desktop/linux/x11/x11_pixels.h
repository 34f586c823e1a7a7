// Conversions between our 0x00RRGGBB pixels and the pixel values of an X
// visual: channel masks of a true-colour visual (any depth: 16, 24, 30), or
// the colours of a colour map (an 8-bit pseudo-colour screen).
#pragma once
#include <array>
#include <cstdint>

namespace plat {

class VisualPixels {
  public:
    VisualPixels() = default;
    // Reads the default visual of the display's default screen (a
    // Display*) and, for a visual with a colour map, the default map's
    // colours.
    explicit VisualPixels(void* display);
    // The same for any visual (a Visual*) and colour map.
    VisualPixels(void* display, void* visual, unsigned long colormap);
    // The colour map of an 8-bit visual made into a 3-3-2 colour cube (see
    // CubeColours): pixel values are then computed, not looked up.
    static VisualPixels Cube();
    // Channel masks alone (a direct-colour visual with straight ramps).
    static VisualPixels Masks(unsigned long red, unsigned long green, unsigned long blue);

    bool Usable() const { return trueColour_ || mapped_; }
    bool IsXrgb() const {
        return trueColour_ && masks_[0] == 0xFF0000 && masks_[1] == 0xFF00 && masks_[2] == 0xFF;
    }
    std::uint32_t ToRgb(unsigned long pixel) const;
    unsigned long FromRgb(std::uint32_t rgb) const;

    // The 256 colours of the 3-3-2 cube (pixel value rrrgggbb), 0x00RRGGBB.
    static std::array<std::uint32_t, 256> CubeColours();

  private:
    bool trueColour_ = false;
    bool mapped_ = false;  // colours_ holds a colour map
    bool cube_ = false;    // FromRgb computes the 3-3-2 value
    std::array<unsigned long, 3> masks_{};
    std::array<std::uint32_t, 256> colours_{};
};

}  // namespace plat
