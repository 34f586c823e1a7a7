#include "platform/desktop/linux/x11/sdl_screen_window.h"

#include "platform/desktop/linux/x11/sdl_x11.h"
#include "platform/desktop/linux/x11/x11_screen.h"

namespace plat {
namespace {

// The frame loop pumps three times a frame; the screen's size changes
// seldom, and one look in each frame period (50 ms) follows it as soon.
constexpr std::uint32_t kLookPeriodMs = 40;

}  // namespace

SdlScreenWindow::SdlScreenWindow(DesktopWindows& windows, SaverEvents& events,
                                 const SaverPlacement& place)
    : SdlSaverWindow(windows, events, place.width, place.height),
      root_(std::make_unique<X11Target>(true, 0)) {
    if (!place.fullScreenState) AskToStayAbove(Sdl());
    if (!root_->Valid()) root_.reset();
}

void SdlScreenWindow::Pump() {
    const std::uint32_t now = SDL_GetTicks();
    if (root_ && now - lastLook_ >= kLookPeriodMs) {
        lastLook_ = now;
        if (root_->Poll() == X11Target::Change::Resized) FollowScreen();
    }
    SdlSaverWindow::Pump();
}

// The new size arrives as SDL's size event, which gives the window new
// pixels; the saver's next look at the screen's size sets the run up again.
void SdlScreenWindow::FollowScreen() {
    int w = 0, h = 0;
    std::vector<MonitorRect> monitors;
    if (!ReadXScreen(w, h, monitors)) return;
    SaverPlacement place = PlaceSaverWindow(w, h, monitors);
    SDL_SetWindowPosition(Sdl(), 0, 0);
    SDL_SetWindowSize(Sdl(), place.width, place.height);
}

}  // namespace plat
