// The saver window inside a screen-saver daemon's window: SDL2 draws into
// the foreign X window, which we follow when it changes size and which ends
// the program when it goes away. In a window smaller than 640x480 (a
// settings dialog's preview pane) the saver draws the screen as it would
// look, shown reduced: a screen about the display's size, the window's
// shape.
#pragma once
#include <memory>

#include "platform/desktop/linux/x11/sdl_saver_window.h"
#include "platform/desktop/linux/x11/x11_target.h"

namespace plat {

class SdlHackWindow : public SdlSaverWindow {
  public:
    // Null when there is no such window or SDL cannot draw into it.
    static std::unique_ptr<SdlHackWindow> Create(DesktopWindows& windows, SaverEvents& events,
                                                 bool root, unsigned long id);

    void Show() override {}  // the daemon shows its window
    void Pump() override;

  private:
    SdlHackWindow(DesktopWindows& windows, SaverEvents& events, SDL_Window* window,
                  std::unique_ptr<X11Target> target);
    std::unique_ptr<X11Target> target_;
    void ChooseScale();
};

}  // namespace plat
