#include "platform/desktop/linux/desktop_host.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/desktop/linux/fltk/fltk_forms.h"
#include "platform/desktop/linux/fltk/fltk_msgbox.h"
#include "platform/desktop/linux/window_systems.h"
#include "platform/system/posix/session_signals.h"
#include "platform/system/posix/system.h"

namespace plat {
namespace {

// who: the name the line starts with.
[[noreturn]] void EndWithMessage(const std::string& who, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", who.c_str(), text.c_str());
    std::fflush(nullptr);
    std::_Exit(1);
}

}  // namespace

DesktopHost::DesktopHost(int argc, char** argv, const std::string& asked)
    : SystemHost(argc, argv),
      hack_(FindHackTarget(argc, argv, std::getenv("XSCREENSAVER_WINDOW"))),
      system_((EndOnSessionSignals(), ChooseOrEnd(asked, hack_.given))),
      windows_(std::make_unique<DesktopWindows>(
          system_->CreateWindows(), [this](int& w, int& h) { ScreenPixels(w, h); },
          [this](int& w, int& h) {
              std::vector<MonitorRect> monitors;
              return system_->ReadScreen(w, h, monitors);
          })),
      forms_(CreateFltkForms()) {
    // A daemon blanks the screen before it starts us: the desktop as the
    // user left it is the one it keeps for its window.
    if (hack_.given && !hack_.root) windows_->CaptureUnder(hack_.window);
}

// Without a window system no mode can show anything: say so and end,
// instead of running a frame loop nobody sees.
std::unique_ptr<WindowSystem> DesktopHost::ChooseOrEnd(const std::string& asked,
                                                       bool daemonWindow) {
    std::string why;
    std::unique_ptr<WindowSystem> system = ChooseWindowSystem(asked, daemonWindow, why);
    if (!system) EndWithMessage(posixsys::ProgramFileName(), why);
    return system;
}

DesktopHost::~DesktopHost() = default;

int DesktopHost::ShowCursor(bool show) {
    int before = cursorCounter_;
    cursorCounter_ += show ? 1 : -1;
    if ((before >= 0) != (cursorCounter_ >= 0)) system_->ShowCursor(cursorCounter_ >= 0);
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
    // Nobody could answer a box over a daemon's window (or where nothing is
    // shown): the log gets the text.
    if (hack_.given || !system_->ShowsMessageBoxes()) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return;
    }
    // The toolkit's box, in this process: SDL's own runs in a child process
    // that would outlive a stop from outside, with our windows and claim.
    FrameWindow* window = windows_->Saver();
    unsigned long owner = 0;
    if (window) {
        window->Refresh();  // what was drawn shows behind the message
        owner = window->BeforeMessageBox();
    }
    fltk::ShowMessageBox(text, title, icon, owner);
}

void DesktopHost::ScreenPixels(int& width, int& height) {
    // While a saver window is open it is the saver's screen: the daemon's
    // window, or ours over the whole screen.
    if (FrameWindow* window = windows_ ? windows_->Saver() : nullptr) {
        width = window->Width();
        height = window->Height();
        return;
    }
    // Otherwise (the forms centre on it) the primary monitor.
    width = 1024;
    height = 768;
    int w = 0, h = 0;
    std::vector<MonitorRect> monitors;
    if (!system_->ReadScreen(w, h, monitors)) return;
    if (!monitors.empty()) w = monitors[0].width, h = monitors[0].height;
    if (w > 0 && h > 0) width = w, height = h;
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

// A run nobody sees is no run: say why and end.
std::unique_ptr<SaverWindow> DesktopHost::CreateSaverWindow(SaverEvents& events) {
    std::string why;
    std::unique_ptr<FrameWindow> window = system_->CreateSaverWindow(*windows_, events, hack_, why);
    if (!window) EndWithMessage("Corvane", why);
    return window;
}

FormsRuntime& DesktopHost::Forms() {
    return *forms_;
}

void DesktopHost::DoEvents() {
    if (FrameWindow* window = windows_->Saver()) window->Pump();
}

void DesktopHost::WaitForInput(std::uint32_t timeoutMs) {
    if (FrameWindow* window = windows_->Saver()) {
        window->Wait(timeoutMs);
        return;
    }
    timespec ts{static_cast<time_t>(timeoutMs / 1000),
                static_cast<long>(timeoutMs % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

}  // namespace plat
