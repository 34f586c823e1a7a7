// A picture object: one bitmap, freed with the picture. Whoever makes a
// picture owns it; the graphics routines only read its Handle.
#pragma once
#include "platform/handles.h"

class StdPicture {
  public:
    StdPicture() = default;
    explicit StdPicture(plat::HBITMAP handle) : Handle(handle) {}
    ~StdPicture();
    StdPicture(StdPicture&& other) noexcept : Handle(other.Release()) {}
    StdPicture& operator=(StdPicture&& other) noexcept;
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    // Gives the bitmap up to the caller; the picture is empty afterwards.
    plat::HBITMAP Release();

    plat::HBITMAP Handle = 0;
};
