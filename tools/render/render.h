// Runs the saver's real set-up and frame loop on the headless backend and
// hands each frame, as the window shows it, to a sink.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace render {

struct Frame {
    int width = 0, height = 0;
    const std::vector<std::uint32_t>* pixels = nullptr;  // 0x00RRGGBB, row by row
};

struct Options {
    std::string folder;  // the program folder: corvane.ini and the picture folder
    int width = 800, height = 600;
    int frames = 40;
    std::uint32_t tick = 0;  // the clock at the start (milliseconds)
    double timeOfDay = 0;    // seconds since midnight at the start
    bool clockNow = false;   // start at the system's clock instead
    // The desktop picture a desktop-mode run captures, row by row at the
    // run's size (0x00RRGGBB); white when empty.
    std::vector<std::uint32_t> desktop;
};

// Renders options.frames frames; sink gets them in order (index from 1).
// Returns "" or what went wrong (the saver's own message when it failed).
// The saver runs on a copy of the folder's settings and pictures, so the
// folder itself is never written.
std::string Render(const Options& options,
                   const std::function<void(int index, const Frame& frame)>& sink);

}  // namespace render
