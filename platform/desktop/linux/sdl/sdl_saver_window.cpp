#include "platform/desktop/linux/sdl/sdl_saver_window.h"

#include <algorithm>
#include <cstring>

#include "platform/desktop/linux/desktop_host.h"
#include "platform/desktop/linux/sdl/sdl_x11.h"
#include "platform/desktop/linux/x11/x11_presenter.h"
#include "platform/gdi.h"

namespace plat {
namespace {

constexpr HWND kSaverWindowHandle = 0x00020002;
constexpr Uint32 kShowTimeoutMs = 3000;

std::int16_t ShiftState(Uint16 mod) {
    std::int16_t s = 0;
    if (mod & KMOD_SHIFT) s |= 1;
    if (mod & KMOD_CTRL) s |= 2;
    if (mod & KMOD_ALT) s |= 4;
    return s;
}

std::int16_t ButtonBits(Uint32 state) {
    std::int16_t b = 0;
    if (state & SDL_BUTTON_LMASK) b |= 1;
    if (state & SDL_BUTTON_RMASK) b |= 2;
    if (state & SDL_BUTTON_MMASK) b |= 4;
    return b;
}

}  // namespace

SdlSaverWindow::SdlSaverWindow(DesktopWindows& windows, SaverEvents& events, int width, int height)
    : windows_(windows),
      events_(events),
      handle_(kSaverWindowHandle),
      width_(width),
      height_(height) {
    window_ =
        SDL_CreateWindow("Corvane Screen Saver", 0, 0, width, height,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
    AskForFullScreen(window_);
    windows_.Attach(this);
}

SdlSaverWindow::SdlSaverWindow(DesktopWindows& windows, SaverEvents& events, SDL_Window* window,
                               int width, int height)
    : windows_(windows),
      events_(events),
      window_(window),
      handle_(kSaverWindowHandle),
      width_(width),
      height_(height) {
    windows_.Attach(this);
}

SdlSaverWindow::~SdlSaverWindow() {
    Close();
}

void SdlSaverWindow::Replace(SDL_Window* window, int width, int height) {
    if (dc_) {
        ReleaseDC(handle_, dc_);
        dc_ = 0;
    }
    if (shadowSurface_) SDL_FreeSurface(shadowSurface_);
    shadowSurface_ = nullptr;
    std::vector<std::uint32_t>().swap(shadow_);
    presenter_.reset();
    current_ = {};
    if (window_) SDL_DestroyWindow(window_);
    window_ = window;
    width_ = width;
    height_ = height;
    dirty_.Clear();
}

void SdlSaverWindow::RepaintAll() {
    dirty_.Clear();
    Changed(0, 0, width_, height_);
    Present();
}

HDC SdlSaverWindow::hDC() {
    if (!dc_) dc_ = GetDC(handle_);
    return dc_;
}

double SdlSaverWindow::ScaleWidth() {
    return width_ * DesktopHost::kTwipsPerPixel;
}
double SdlSaverWindow::ScaleHeight() {
    return height_ * DesktopHost::kTwipsPerPixel;
}

void SdlSaverWindow::Show() {
    // Shown already (a run set up again at a new size): no map to wait for.
    if (!window_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN)) return;
    if (!focusKept_) {
        focusBefore_ = CurrentFocus(window_);
        focusKept_ = true;
    }
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // Pixels presented before the window is mapped are lost: wait for it.
    Uint32 start = SDL_GetTicks();
    for (;;) {
        SDL_PumpEvents();
        SDL_Event e;
        bool exposed = false;
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) > 0)
            exposed |= e.window.event == SDL_WINDOWEVENT_EXPOSED;
        if (exposed || SDL_GetTicks() - start > kShowTimeoutMs) break;
        SDL_WaitEventTimeout(nullptr, 20);
    }
    SDL_GetWindowSize(window_, &width_, &height_);
    // Mapping may have given the window new pixels: take them afresh.
    if (dc_) {
        ReleaseDC(handle_, dc_);
        dc_ = 0;
    }
}

void SdlSaverWindow::Refresh() {
    Present();
}

void SdlSaverWindow::Close() {
    if (dc_) {
        ReleaseDC(handle_, dc_);
        dc_ = 0;
    }
    if (shadowSurface_) SDL_FreeSurface(shadowSurface_);
    shadowSurface_ = nullptr;
    presenter_.reset();
    current_ = {};
    if (window_ && focusKept_) GiveFocusBack(window_, focusBefore_);
    focusKept_ = false;
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
    windows_.Detach(this);
}

bool SdlSaverWindow::CanDraw() {
    if (!window_) return false;
    if (presenter_ || SDL_GetWindowSurface(window_)) return true;
    presenter_ = X11Presenter::For(XWindowOf(window_));
    return presenter_ != nullptr;
}

bool SdlSaverWindow::Acquire(plat::WindowSurface& out) {
    SDL_Surface* s = window_ && !presenter_ ? SDL_GetWindowSurface(window_) : nullptr;
    if (s && (s->format->format == SDL_PIXELFORMAT_RGB888 ||
              s->format->format == SDL_PIXELFORMAT_ARGB8888)) {
        out = {static_cast<std::uint32_t*>(s->pixels), s->w, s->h, s->pitch / 4};
        current_ = out;
        return true;
    }
    // Another format (or no window): draw into our own pixels and convert
    // each presented rectangle; where SDL has no pixels at all (a window
    // made afresh at a new size), X takes them.
    if (!s && window_ && !presenter_) presenter_ = X11Presenter::For(XWindowOf(window_));
    if (shadow_.empty()) {
        shadow_.assign(static_cast<std::size_t>(width_) * height_, 0xFFFFFF);
        shadowSurface_ = SDL_CreateRGBSurfaceWithFormatFrom(shadow_.data(), width_, height_, 32,
                                                            width_ * 4, SDL_PIXELFORMAT_RGB888);
    }
    out = {shadow_.data(), width_, height_, width_};
    return true;
}

void SdlSaverWindow::Changed(int x, int y, int width, int height) {
    dirty_.Add({x, y, width, height});
}

void SdlSaverWindow::Present() {
    if (!window_ || dirty_.Count() == 0) return;
    if (presenter_ && !shadow_.empty()) {
        for (int i = 0; i < dirty_.Count(); ++i) {
            const SDL_Rect& r = dirty_[i];
            presenter_->Put(shadow_.data(), width_, height_, width_, r.x, r.y, r.w, r.h);
        }
        presenter_->Flush();
        dirty_.Clear();
        return;
    }
    if (shadowSurface_) {
        SDL_Surface* target = SDL_GetWindowSurface(window_);
        for (int i = 0; target && i < dirty_.Count(); ++i) {
            SDL_Rect r = dirty_[i];
            SDL_BlitSurface(shadowSurface_, &r, target, &r);
        }
    }
    if (SDL_UpdateWindowSurfaceRects(window_, dirty_.Data(), dirty_.Count()) < 0 &&
        current_.pixels) {
        RenewSurface();  // the surface went invalid under us: show it all again
        SDL_UpdateWindowSurfaceRects(window_, dirty_.Data(), dirty_.Count());
    }
    dirty_.Clear();
}

void SdlSaverWindow::RenewSurface() {
    if (!window_ || !current_.pixels) return;
    const plat::WindowSurface old = current_;
    std::vector<std::uint32_t> keep(static_cast<std::size_t>(old.width) * old.height);
    for (int y = 0; y < old.height; ++y)
        std::memcpy(&keep[static_cast<std::size_t>(y) * old.width],
                    old.pixels + static_cast<std::size_t>(y) * old.pitch,
                    static_cast<std::size_t>(old.width) * 4);
    current_ = {};
    SDL_Surface* s = SDL_GetWindowSurface(window_);
    plat::WindowSurface now;
    if (!s || !Acquire(now)) return;
    int w = std::min(old.width, now.width), h = std::min(old.height, now.height);
    for (int y = 0; y < h; ++y)
        std::memcpy(now.pixels + static_cast<std::size_t>(y) * now.pitch,
                    &keep[static_cast<std::size_t>(y) * old.width],
                    static_cast<std::size_t>(w) * 4);
    plat::MoveWindowPixels(handle_, now);
    width_ = now.width;
    height_ = now.height;
    dirty_.Clear();
    Changed(0, 0, width_, height_);
}

void SdlSaverWindow::Pump() {
    Present();
    // Nothing queued in SDL or Xlib and nothing to read from X: there is
    // nothing to deliver, and SDL's pump would cost a dozen system calls.
    // SDL's own housekeeping then waits for the next input.
    if (window_ && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) && !XInputWaiting(window_)) return;
    SDL_Event e;
    while (window_ && SDL_PollEvent(&e)) Deliver(e);
}

void SdlSaverWindow::Wait(std::uint32_t timeoutMs) {
    Present();
    const int timeout = static_cast<int>(std::min<std::uint32_t>(timeoutMs, 1u << 30));
    // On X one poll of the connection; SDL's own wait would pump first and
    // then poll, a dozen system calls more in every frame.
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
    if (!window_ || !XWaitForInput(window_, timeout)) SDL_WaitEventTimeout(nullptr, timeout);
}

void SdlSaverWindow::Deliver(const SDL_Event& e) {
    float tx = static_cast<float>(DesktopHost::kTwipsPerPixel);
    float ty = static_cast<float>(DesktopHost::kTwipsPerPixel);
    switch (e.type) {
        case SDL_KEYDOWN:
            events_.Form_KeyDown(static_cast<std::int16_t>(e.key.keysym.sym & 0x7FFF),
                                 ShiftState(e.key.keysym.mod));
            break;
        case SDL_MOUSEBUTTONDOWN:
            events_.Form_MouseDown(static_cast<std::int16_t>(SDL_BUTTON(e.button.button)),
                                   ShiftState(SDL_GetModState()), e.button.x * tx, e.button.y * ty);
            break;
        case SDL_MOUSEMOTION:
            events_.Form_MouseMove(ButtonBits(e.motion.state), ShiftState(SDL_GetModState()),
                                   e.motion.x * tx, e.motion.y * ty);
            break;
        case SDL_QUIT:
            // Stopped from outside (a signal, the session ending): the run
            // is not counted.
            host().End();
            break;
        case SDL_WINDOWEVENT:
            // The window's pixels are still ours: show them all again.
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                RenewSurface();
                Present();
            }
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) RepaintAll();
            break;
        default:
            break;
    }
}

}  // namespace plat
