#include "platform/desktop/linux/x11/x11_system.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/desktop/linux/session_bus.h"
#include "platform/desktop/linux/x11/sdl_hack_window.h"
#include "platform/desktop/linux/x11/sdl_screen_window.h"
#include "platform/desktop/linux/x11/x11_errors.h"
#include "platform/desktop/linux/x11/x11_screen.h"
#include "platform/desktop/linux/x11/x11_windows.h"

namespace plat {
namespace {

class X11System : public WindowSystem {
  public:
    ~X11System() override {
        if (sdlVideo_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool ReadScreen(int& width, int& height, std::vector<MonitorRect>& monitors) override {
        return ReadXScreen(width, height, monitors);
    }

    std::unique_ptr<FrameWindow> CreateSaverWindow(DesktopWindows& windows, SaverEvents& events,
                                                   const HackTarget& target,
                                                   std::string& why) override {
        std::unique_ptr<SdlSaverWindow> w;
        if (target.given) {
            if (InitVideo()) w = SdlHackWindow::Create(windows, events, target.root, target.window);
            if (!w) {
                why = "no window to draw into";
                return nullptr;
            }
        } else {
            // Every monitor is covered, from the screen's origin.
            SaverPlacement place;
            std::vector<MonitorRect> monitors;
            if (!InitVideo() || !ReadXScreen(place.width, place.height, monitors)) {
                why = std::string("cannot show the saver: ") + SDL_GetError();
                return nullptr;
            }
            place = PlaceSaverWindow(place.width, place.height, monitors);
            w = std::make_unique<SdlScreenWindow>(windows, events, place);
        }
        if (w->CanDraw()) return w;
        why = std::string("cannot show the saver: ") +
              (w->Sdl() ? "this screen's pixel format cannot be drawn on" : SDL_GetError());
        return nullptr;
    }

    std::unique_ptr<SystemWindows> CreateWindows() override {
        return std::make_unique<X11Windows>();
    }

    void ShowCursor(bool show) override {
        cursorShown_ = show;
        if (sdlVideo_) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    }

    bool ShowsMessageBoxes() override { return true; }

  private:
    bool sdlVideo_ = false;
    bool cursorShown_ = true;

    bool InitVideo() {
        if (sdlVideo_) return true;
        // X11 whatever SDL_VIDEODRIVER in the environment says: this is the
        // X11 window system.
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        // A screen saver must never keep the screen from sleeping or
        // locking: SDL would suspend the X server's idle timer (and with it
        // DPMS and every locker driven by it) while its window is open.
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
        // Ours end the process in every mode; SDL's would only queue a quit
        // event that no loop reads while a dialog or message box is up.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
        // The fatal message must show over the saver, not over a minimised one.
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        // SDL's D-Bus support asks for the session bus as the video
        // starts; where none runs it must not start one that outlives us.
        {
            const NoBusAutolaunch noBus;
            sdlVideo_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        }
        if (sdlVideo_) InstallXConnectionLossHandler();
        if (sdlVideo_ && !cursorShown_) SDL_ShowCursor(SDL_DISABLE);
        return sdlVideo_;
    }
};

}  // namespace

std::unique_ptr<SystemWindows> CreateX11WindowsIfThere() {
    if (!CanOpenDisplay()) return nullptr;
    return std::make_unique<X11Windows>();
}

std::unique_ptr<WindowSystem> CreateX11System(std::string& why) {
    if (CanOpenDisplay()) return std::make_unique<X11System>();
    const char* display = std::getenv("DISPLAY");
    why = std::string("cannot open the X display \"") + (display ? display : "") + "\"";
    return nullptr;
}

}  // namespace plat
