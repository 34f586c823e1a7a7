// A modal message box with an OK button, in the manner of the system's:
// the text wraps to a readable width, a warning shows its icon, and Return,
// Space or Escape closes it. owner: the X window it belongs to (0: none).
#pragma once
#include <string>

#include "platform/host.h"

namespace plat::fltk {

void ShowMessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                    unsigned long owner = 0);

}  // namespace plat::fltk
