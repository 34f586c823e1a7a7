// The saver window of a user's run: it covers the whole X screen from its
// origin, across every monitor (see screen_layout.h), and follows the
// screen when its size changes (a monitor added or a new mode): the window
// takes the new size, and the saver, seeing it, sets itself up again.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/desktop/linux/screen_layout.h"
#include "platform/desktop/linux/x11/sdl_saver_window.h"
#include "platform/desktop/linux/x11/x11_target.h"

namespace plat {

class SdlScreenWindow : public SdlSaverWindow {
  public:
    SdlScreenWindow(DesktopWindows& windows, SaverEvents& events, const SaverPlacement& place);

    void Pump() override;
    void Wait(std::uint32_t timeoutMs) override;

  private:
    std::unique_ptr<X11Target> root_;  // null without an X screen to watch
    bool rootReady_ = true;            // something may have come for root_
    void FollowScreen();
};

}  // namespace plat
