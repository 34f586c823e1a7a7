#include "platform/desktop/linux/x11/sdl_hack_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/desktop/linux/x11/x11_errors.h"
#include "platform/host.h"

namespace plat {
namespace {

SDL_Window* WindowFrom(unsigned long id) {
    SDL_Window* w = SDL_CreateWindowFrom(reinterpret_cast<const void*>(id));
    // SDL's video start replaced our X error handler: put it back.
    TolerateXErrors();
    return w;
}

}  // namespace

std::unique_ptr<SdlHackWindow> SdlHackWindow::Create(DesktopWindows& windows, SaverEvents& events,
                                                     bool root, unsigned long id) {
    auto target = std::make_unique<X11Target>(root, id);
    if (!target->Valid()) return nullptr;
    SDL_Window* w = WindowFrom(target->Id());
    if (!w) {
        std::fprintf(stderr, "Corvane: %s\n", SDL_GetError());
        return nullptr;
    }
    return std::unique_ptr<SdlHackWindow>(new SdlHackWindow(windows, events, w, std::move(target)));
}

SdlHackWindow::SdlHackWindow(DesktopWindows& windows, SaverEvents& events, SDL_Window* window,
                             std::unique_ptr<X11Target> target)
    : SdlSaverWindow(windows, events, window, target->Width(), target->Height()),
      target_(std::move(target)) {
    ChooseScale();
}

// The whole number of times the window fits the display's size, where the
// window is too small to show the flags at their size.
void SdlHackWindow::ChooseScale() {
    const int w = target_->Width(), h = target_->Height();
    int scale = 1;
    if ((w < 640 || h < 480) && w > 0 && h > 0) {
        const double fit =
            std::min(double(target_->ScreenWidth()) / w, double(target_->ScreenHeight()) / h);
        scale = std::max(1, static_cast<int>(std::lround(fit)));
    }
    SetScale(scale);
}

void SdlHackWindow::Pump() {
    X11Target::Change change = target_->Poll();
    // The daemon took its window away: the run is over.
    if (change == X11Target::Change::Gone) host().End();
    switch (change) {
        case X11Target::Change::Resized:
            // A window surface keeps the size it was made with: make the SDL
            // window afresh. The saver sets itself up again at the new size.
            Replace(nullptr, 0, 0);
            Replace(WindowFrom(target_->Id()), target_->Width(), target_->Height());
            ChooseScale();
            break;
        case X11Target::Change::Exposed:
            RepaintAll();
            break;
        default:
            break;
    }
    SdlSaverWindow::Pump();
}

}  // namespace plat
