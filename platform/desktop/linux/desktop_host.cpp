#include "platform/desktop/linux/desktop_host.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/desktop/linux/fltk/fltk_forms.h"
#include "platform/desktop/linux/fltk/fltk_msgbox.h"
#include "platform/desktop/linux/sdl/sdl_hack_window.h"
#include "platform/desktop/linux/sdl/sdl_saver_window.h"
#include "platform/desktop/linux/sdl/sdl_screen_window.h"
#include "platform/desktop/linux/sdl/sdl_x11.h"
#include "platform/desktop/linux/session_signals.h"
#include "platform/desktop/linux/x11/x11_errors.h"
#include "platform/desktop/linux/x11/x11_screen.h"
#include "platform/desktop/linux/x11/x11_windows.h"
#include "platform/system/posix/system.h"

namespace plat {

DesktopHost::DesktopHost(int argc, char** argv)
    : SystemHost(argc, argv),
      hack_(FindHackTarget(argc, argv, std::getenv("XSCREENSAVER_WINDOW"))),
      windows_([this](int& w, int& h) { ScreenPixels(w, h); }),
      forms_(CreateFltkForms()) {
    EndOnSessionSignals();
    EndWithoutDisplay();
    // A daemon blanks the screen before it starts us: the desktop as the
    // user left it is the one it keeps for its window.
    if (hack_.given && !hack_.root) windows_.CaptureUnder(hack_.window);
}

// Without an X display no mode can show anything: say so and end, instead
// of running a frame loop nobody sees (SDL would fall back to no video). A
// video driver chosen on purpose (SDL_VIDEODRIVER) is left to SDL.
void DesktopHost::EndWithoutDisplay() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if ((driver && *driver) || CanOpenDisplay()) return;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "%s: cannot open the X display \"%s\"\n",
                 posixsys::ProgramFileName().c_str(), display ? display : "");
    std::fflush(nullptr);
    std::_Exit(1);
}

DesktopHost::~DesktopHost() {
    if (sdlVideo_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int DesktopHost::ShowCursor(bool show) {
    int before = cursorCounter_;
    cursorCounter_ += show ? 1 : -1;
    if (sdlVideo_ && (before >= 0) != (cursorCounter_ >= 0))
        SDL_ShowCursor(cursorCounter_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCounter_;
}

// No taskbar, no topmost order and no screen-saver state to tell on Linux:
// the desktop's own saver daemon owns those.
HWND DesktopHost::FindWindowA(const std::string&, const std::string&) {
    return 0;
}
bool DesktopHost::SetWindowPos(HWND, HWND, int, int, int, int, std::uint32_t) {
    return true;
}
bool DesktopHost::SystemParametersInfoA(std::uint32_t, std::uint32_t, void*, std::uint32_t) {
    return true;
}
bool DesktopHost::VerifyScreenSavePwd(HWND) {
    return true;
}

void DesktopHost::MsgBox(const std::string& text, const std::string& title, MsgIcon icon) {
    // Nobody could answer a box over a daemon's window: its log gets the text.
    if (hack_.given) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return;
    }
    // The toolkit's box, in this process: SDL's own runs in a child process
    // that would outlive a stop from outside, with our windows and claim.
    SdlSaverWindow* window = windows_.Saver();
    if (window) {
        window->Refresh();  // what was drawn shows behind the message
        LetOthersAbove(window->Sdl());
    }
    fltk::ShowMessageBox(text, title, icon, window ? XWindowOf(window->Sdl()) : 0);
}

bool DesktopHost::InitVideo() {
    if (sdlVideo_) return true;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Ours end the process in every mode; SDL's would only queue a quit
    // event that no loop reads while a dialog or message box is up.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The fatal message must show over the saver, not over a minimised one.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    sdlVideo_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (sdlVideo_) InstallXConnectionLossHandler();
    if (sdlVideo_ && cursorCounter_ < 0) SDL_ShowCursor(SDL_DISABLE);
    return sdlVideo_;
}

void DesktopHost::ScreenPixels(int& width, int& height) {
    // While a saver window is open it is the saver's screen: the daemon's
    // window, or ours over the whole X screen.
    if (SdlSaverWindow* window = windows_.Saver()) {
        width = window->Width();
        height = window->Height();
        return;
    }
    // Otherwise (the forms centre on it) the first monitor.
    width = 1024;
    height = 768;
    SDL_DisplayMode mode;
    if (InitVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        width = mode.w;
        height = mode.h;
    }
}

double DesktopHost::ScreenWidth() {
    int w, h;
    ScreenPixels(w, h);
    return w * TwipsPerPixelX();
}

double DesktopHost::ScreenHeight() {
    int w, h;
    ScreenPixels(w, h);
    return h * TwipsPerPixelY();
}

std::unique_ptr<SaverWindow> DesktopHost::CreateSaverWindow(SaverEvents& events) {
    if (hack_.given) {
        std::unique_ptr<SdlSaverWindow> w;
        if (InitVideo()) w = SdlHackWindow::Create(windows_, events, hack_.root, hack_.window);
        if (w) return EndUnlessItCanDraw(std::move(w));
        std::fprintf(stderr, "Corvane: no window to draw into\n");
        std::fflush(nullptr);
        std::_Exit(1);
    }
    // Every monitor is covered; without an X screen (another video driver)
    // SDL's first display.
    SaverPlacement place;
    std::vector<MonitorRect> monitors;
    InitVideo();
    if (!ReadXScreen(place.width, place.height, monitors)) ScreenPixels(place.width, place.height);
    place = PlaceSaverWindow(place.width, place.height, monitors);
    return EndUnlessItCanDraw(std::make_unique<SdlScreenWindow>(windows_, events, place));
}

// A run nobody sees is no run: say why and end.
std::unique_ptr<SaverWindow> DesktopHost::EndUnlessItCanDraw(std::unique_ptr<SdlSaverWindow> w) {
    if (w->CanDraw()) return w;
    std::string why = w->Sdl() ? "this screen's pixel format cannot be drawn on" : SDL_GetError();
    w.reset();
    std::fprintf(stderr, "Corvane: cannot show the saver: %s\n", why.c_str());
    std::fflush(nullptr);
    std::_Exit(1);
}

FormsRuntime& DesktopHost::Forms() {
    return *forms_;
}

void DesktopHost::DoEvents() {
    if (SdlSaverWindow* window = windows_.Saver()) window->Pump();
}

void DesktopHost::WaitForInput(std::uint32_t timeoutMs) {
    if (SdlSaverWindow* window = windows_.Saver()) {
        window->Wait(timeoutMs);
        return;
    }
    timespec ts{static_cast<time_t>(timeoutMs / 1000),
                static_cast<long>(timeoutMs % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

}  // namespace plat
