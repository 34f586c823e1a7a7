// An animated GIF file, written frame by frame: one 256-colour palette taken
// from the first frame (its own colours when there are at most 256, else
// the most common colours at 5 bits a channel), every frame in full, LZW
// compressed, looping for ever.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace render {

// The palette for a picture: at most 256 colours, 0x00RRGGBB.
std::vector<std::uint32_t> MakePalette(const std::vector<std::uint32_t>& pixels);

// GIF's variable-length LZW of 8-bit indices (minimum code size 8): the
// packed code bytes, not yet cut into sub-blocks.
std::vector<std::uint8_t> LzwEncode(const std::vector<std::uint8_t>& indices);

class GifWriter {
  public:
    GifWriter() = default;
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // delay: hundredths of a second between frames.
    bool Open(const std::string& path, int width, int height, int delay);
    bool Add(const std::vector<std::uint32_t>& pixels);
    bool Close();  // writes the trailer; true when every write worked

    // The palette index a colour gets (after the first frame).
    std::uint8_t IndexOf(std::uint32_t rgb);

  private:
    std::FILE* file_ = nullptr;
    int width_ = 0, height_ = 0, delay_ = 0;
    bool ok_ = true;
    std::vector<std::uint32_t> palette_;
    std::unordered_map<std::uint32_t, std::uint8_t> nearest_;

    void Put(const void* data, std::size_t size);
    void Put16(int value);
    void WriteHeader();
};

}  // namespace render
