// A modal message box with an OK button, in the manner of the system's.
#pragma once
#include <string>

#include "platform/host.h"

namespace plat::fltk {

void ShowMessageBox(const std::string& text, const std::string& title, MsgIcon icon);

}  // namespace plat::fltk
