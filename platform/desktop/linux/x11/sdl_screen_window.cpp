#include "platform/desktop/linux/x11/sdl_screen_window.h"

#include "platform/desktop/linux/x11/sdl_x11.h"
#include "platform/desktop/linux/x11/x11_screen.h"

namespace plat {

SdlScreenWindow::SdlScreenWindow(DesktopWindows& windows, SaverEvents& events,
                                 const SaverPlacement& place)
    : SdlSaverWindow(windows, events, place.width, place.height),
      root_(std::make_unique<X11Target>(true, 0)) {
    if (!place.fullScreenState) AskToStayAbove(Sdl());
    if (!root_->Valid()) root_.reset();
}

// The screen's new sizes come on the root window's connection, watched by
// the same sleep as the window's own: it is looked at only when that sleep
// saw bytes there (or before the first sleep).
void SdlScreenWindow::Pump() {
    if (root_ && rootReady_) {
        rootReady_ = false;
        if (root_->Poll() == X11Target::Change::Resized) FollowScreen();
    }
    SdlSaverWindow::Pump();
}

void SdlScreenWindow::Wait(std::uint32_t timeoutMs) {
    WaitAlso(timeoutMs, root_ ? root_->Fd() : -1, &rootReady_);
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
