// Where a screen-saver daemon wants the saver drawn: the window named by
// "-window-id ID", by the environment's XSCREENSAVER_WINDOW, or the root
// window for "-root" (either option also with two dashes, as xscreensaver 6
// writes them).
#pragma once

namespace plat {

struct HackTarget {
    bool given = false;        // the saver runs as a daemon's display program
    bool root = false;         // draw into the root window
    unsigned long window = 0;  // the window's id; 0 with root false: no usable window
};

// Reads the arguments (argv[1] on) and the value of XSCREENSAVER_WINDOW
// (null when unset). "-window-id ID" wins; then the environment's window,
// unless an argument is one of our own switches ("/S", "/C", ...); then
// "-root". A window named either way wins over "-root" wherever it stands.
// Ids are decimal or 0x-hex.
HackTarget FindHackTarget(int argc, const char* const* argv, const char* environmentWindow);

}  // namespace plat
