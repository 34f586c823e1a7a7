// The background choice of the run, as the settings file holds it: all that
// the drawing classes need to know of Module1's state.
#pragma once
#include <string>

namespace Module1 {

extern std::string BackgroundMode;  // "scMode" of the settings file; "1" = desktop
// A choice for this run only (a daemon's option), in place of the settings
// file's; empty when there is none.
extern std::string BackgroundForRun;

}  // namespace Module1
