// What one saver run may hold of the picture folder's files. The folder is
// the user's to write, and a small, valid .bmp file may declare a huge
// picture (8192 x 8192 at 1 bit per pixel is 8 MiB on disk and 256 MiB
// decoded; a run-length-coded one far less on disk), so each file's
// declared size is checked before anything decodes it:
//  - no picture larger than the screen it is drawn on (a screen smaller
//    than kFloorSide counts as kFloorSide, so that the real pictures work
//    in any window);
//  - the desktop picture exactly the size it was taken at;
//  - the sprite sheets together no more pixels than kSheetScreens screens
//    (each sheet pixel costs a colour pixel and a mask bit).
// A picture over the bound is refused as an unreadable one is; a file whose
// headers cannot be read is left to the loader, which fails on it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/bmp_header.h"

class PictureBounds {
  public:
    static constexpr std::int32_t kFloorSide = 256;
    static constexpr std::int64_t kSheetScreens = 2;

    PictureBounds(std::int32_t screenWidth, std::int32_t screenHeight);

    // "" when the picture may be loaded, else why not (naming the file).
    std::string CheckTile(const std::string& path) const;
    std::string CheckSheet(const std::string& path);  // counts the sheet when admitted
    std::string CheckDesktop(const std::string& path, std::int32_t width,
                             std::int32_t height) const;

  private:
    std::string CheckSide(const std::string& path, const std::optional<plat::BmpHeader>& h) const;

    std::int32_t screenWidth_, screenHeight_;
    std::int32_t maxWidth_, maxHeight_;
    std::int64_t sheetPixels_ = 0;
};
