// Embedded .bmp pictures as FLTK images.
#pragma once
#include <FL/Fl_Image.H>

#include <memory>
#include <string>

namespace plat::fltk {

// The embedded picture of that name as a 24-bit image, or null when there
// is none or its bytes are not a readable .bmp file.
std::unique_ptr<Fl_RGB_Image> LoadPicture(const std::string& name, bool greenIsTransparent = false);

}  // namespace plat::fltk
