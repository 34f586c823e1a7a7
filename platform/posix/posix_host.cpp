#include "platform/posix/posix_host.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/posix/core/system.h"
#include "platform/posix/fltk/fltk_forms.h"
#include "platform/posix/sdl/sdl_hack_window.h"
#include "platform/posix/sdl/sdl_saver_window.h"
#include "platform/posix/x11/x11_errors.h"
#include "platform/posix/x11/x11_windows.h"

namespace plat {
namespace {

// The first executable file called name on PATH, or "".
std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string all = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t colon = all.find(':', start);
        std::string dir = all.substr(start, colon == std::string::npos ? colon : colon - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return "";
}

}  // namespace

PosixHost::PosixHost(int argc, char** argv)
    : random_(static_cast<std::uint32_t>(std::time(nullptr))),
      x11_(std::make_unique<X11Windows>()),
      forms_(CreateFltkForms()) {
    for (int i = 1; i < argc; ++i) {
        if (i > 1) command_ += ' ';
        command_ += argv[i];
    }
    hack_ = FindHackTarget(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    softgdi::SetWindowProvider(this);
}

PosixHost::~PosixHost() {
    softgdi::SetWindowProvider(nullptr);
    if (sdlVideo_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::uint32_t PosixHost::GetTickCount() { return posixsys::TickCount(); }
double PosixHost::Timer() { return posixsys::SecondsSinceMidnight(); }
double PosixHost::Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); }

void PosixHost::Randomize() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    // Mixed with the state, so two reseeds in the same instant still differ.
    random_.seed(static_cast<std::uint32_t>(ts.tv_nsec ^ (ts.tv_sec << 10)) ^ random_());
}

int PosixHost::GetVersionExA(OSVERSIONINFOA* info) {
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return 0;
    // The desktop's own screen locker guards the session: report the NT
    // family, so the saver never asks for a password itself.
    info->dwMajorVersion = 10;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 0;
    info->dwPlatformId = 2;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return 1;
}

// Linux has no registry: every key is missing.
long PosixHost::RegOpenKeyExA(HKEY, const std::string&, std::uint32_t, std::uint32_t, HKEY*) {
    return ERROR_FILE_NOT_FOUND;
}
long PosixHost::RegQueryValueExA(HKEY, const std::string&, std::uint32_t*, std::uint8_t*,
                                 std::uint32_t*) {
    return ERROR_FILE_NOT_FOUND;
}
long PosixHost::RegCloseKey(HKEY) { return ERROR_FILE_NOT_FOUND; }

std::string PosixHost::AppPath() { return posixsys::ProgramFolder(); }
std::string PosixHost::Command() { return command_; }
bool PosixHost::PrevInstance() { return !posixsys::ClaimInstance("corvane-saver"); }
std::string PosixHost::Dir(const std::string& path) { return posixsys::StoredName(path); }

long PosixHost::PwdChangePasswordA(const std::string&, HWND, std::uint32_t, std::uint32_t) {
    return 0;  // the desktop manages the session's password
}

void PosixHost::End() {
    std::fflush(nullptr);
    std::_Exit(0);
}

int PosixHost::ShowCursor(bool show) {
    int before = cursorCounter_;
    cursorCounter_ += show ? 1 : -1;
    if (sdlVideo_ && (before >= 0) != (cursorCounter_ >= 0))
        SDL_ShowCursor(cursorCounter_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCounter_;
}

// No taskbar, no topmost order and no screen-saver state to tell on Linux:
// the desktop's own saver daemon owns those.
HWND PosixHost::FindWindowA(const std::string&, const std::string&) { return 0; }
bool PosixHost::SetWindowPos(HWND, HWND, int, int, int, int, std::uint32_t) { return true; }
bool PosixHost::SystemParametersInfoA(std::uint32_t, std::uint32_t, void*, std::uint32_t) {
    return true;
}
bool PosixHost::VerifyScreenSavePwd(HWND) { return true; }

bool PosixHost::InternetGetConnectedState(std::uint32_t* flags, std::uint32_t) {
    if (flags) *flags = 0;
    return posixsys::HasNetworkInterface();
}

bool PosixHost::StartProgram(const std::string& path) {
    return posixsys::SpawnDetached(path, {});
}

std::intptr_t PosixHost::ShellExecuteA(HWND, const std::string&, const std::string& file,
                                       const std::string&, const std::string&, int) {
    // The address is xdg-open's one argument: no shell sees it.
    std::string opener = FindOnPath("xdg-open");
    if (opener.empty() || file.empty()) return 2;  // ERROR_FILE_NOT_FOUND
    return posixsys::SpawnDetached(opener, {file}) ? 42 : 2;
}

void PosixHost::MsgBox(const std::string& text, const std::string& title, MsgIcon icon) {
    // Nobody could answer a box over a daemon's window: its log gets the text.
    if (hack_.given) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return;
    }
    Uint32 flags = icon == MsgIcon::Warning ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    SDL_Window* parent = window_ ? window_->Sdl() : nullptr;
    if (window_) window_->Refresh();  // what was drawn shows behind the message
    if (SDL_ShowSimpleMessageBox(flags, title.c_str(), text.c_str(), parent) != 0)
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

bool PosixHost::InitVideo() {
    if (sdlVideo_) return true;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The fatal message must show over the saver, not over a minimised one.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    sdlVideo_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (sdlVideo_) InstallXConnectionLossHandler();
    if (sdlVideo_ && cursorCounter_ < 0) SDL_ShowCursor(SDL_DISABLE);
    return sdlVideo_;
}

void PosixHost::ScreenPixels(int& width, int& height) {
    // In a daemon's window, that window is the saver's screen.
    if (hack_.given && window_) {
        width = window_->Width();
        height = window_->Height();
        return;
    }
    width = 1024;
    height = 768;
    SDL_DisplayMode mode;
    if (InitVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        width = mode.w;
        height = mode.h;
    }
}

double PosixHost::ScreenWidth() {
    int w, h;
    ScreenPixels(w, h);
    return w * TwipsPerPixelX();
}

double PosixHost::ScreenHeight() {
    int w, h;
    ScreenPixels(w, h);
    return h * TwipsPerPixelY();
}

std::unique_ptr<SaverWindow> PosixHost::CreateSaverWindow(SaverEvents& events) {
    if (hack_.given) {
        std::unique_ptr<SaverWindow> w;
        if (InitVideo()) w = SdlHackWindow::Create(*this, events, hack_.root, hack_.window);
        if (w) return w;
        std::fprintf(stderr, "Corvane: no window to draw into\n");
        std::fflush(nullptr);
        std::_Exit(1);
    }
    int w, h;
    ScreenPixels(w, h);
    return std::make_unique<SdlSaverWindow>(*this, events, w, h);
}

FormsRuntime& PosixHost::Forms() { return *forms_; }

void PosixHost::DoEvents() {
    if (window_) window_->Pump();
}

void PosixHost::WaitForInput(std::uint32_t timeoutMs) {
    if (window_) {
        window_->Wait(timeoutMs);
        return;
    }
    timespec ts{static_cast<time_t>(timeoutMs / 1000),
                static_cast<long>(timeoutMs % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

void PosixHost::Detach(SdlSaverWindow* window) {
    if (window_ == window) window_ = nullptr;
}

bool PosixHost::Acquire(HWND hwnd, softgdi::WindowSurface& out) {
    if (window_ && hwnd == window_->Handle()) return window_->Acquire(out);
    if (hwnd == softgdi::kDesktopWindow) {
        int w, h;
        ScreenPixels(w, h);
        return x11_->AcquireDesktop(w, h, out);
    }
    return x11_->AcquireWindow(hwnd, out);
}

void PosixHost::Changed(HWND hwnd, int x, int y, int width, int height) {
    if (window_ && hwnd == window_->Handle()) window_->Changed(x, y, width, height);
    else x11_->Changed(hwnd, x, y, width, height);
}

void PosixHost::Reading(HWND hwnd) { x11_->Reading(hwnd); }

void PosixHost::Release(HWND hwnd) {
    if (window_ && hwnd == window_->Handle()) return;
    x11_->Release(hwnd);
}

}  // namespace plat
