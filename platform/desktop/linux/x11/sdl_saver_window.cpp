#include "platform/desktop/linux/x11/sdl_saver_window.h"

#include <algorithm>

#include "platform/desktop/linux/x11/sdl_x11.h"
#include "platform/desktop/linux/x11/x11_presenter.h"
#include "platform/desktop/linux/x11/x11_shm_pixels.h"
#include "platform/host.h"

namespace plat {
namespace {

constexpr Uint32 kShowTimeoutMs = 3000;

static_assert(sizeof(PixelRect) == sizeof(SDL_Rect) &&
              offsetof(PixelRect, w) == offsetof(SDL_Rect, w));

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
    : FrameWindow(windows, events, width, height) {
    window_ =
        SDL_CreateWindow("Corvane Screen Saver", 0, 0, width, height,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
    AskForFullScreen(window_);
}

SdlSaverWindow::SdlSaverWindow(DesktopWindows& windows, SaverEvents& events, SDL_Window* window,
                               int width, int height)
    : FrameWindow(windows, events, width, height), window_(window) {}

SdlSaverWindow::~SdlSaverWindow() {
    Close();
}

void SdlSaverWindow::DropPixels() {
    shm_.reset();
    shmRefused_ = false;
    if (shadowSurface_) SDL_FreeSurface(shadowSurface_);
    shadowSurface_ = nullptr;
    std::vector<std::uint32_t>().swap(shadow_);
    presenter_.reset();
}

void SdlSaverWindow::Replace(SDL_Window* window, int width, int height) {
    Reset(width, height);
    DropPixels();
    if (window_) SDL_DestroyWindow(window_);
    window_ = window;
}

void SdlSaverWindow::Destroy() {
    DropPixels();
    if (window_ && focusKept_) GiveFocusBack(window_, focusBefore_);
    focusKept_ = false;
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
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
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    SetSize(w, h);
    // Mapping may have given the window new pixels: take them afresh.
    ReleaseDc();
}

bool SdlSaverWindow::CanDraw() {
    if (!window_) return false;
    WindowSurface shared;
    if (presenter_ || SharedPixels(shared) || SDL_GetWindowSurface(window_)) return true;
    presenter_ = X11Presenter::For(XWindowOf(window_));
    return presenter_ != nullptr;
}

// Our shared pixels at the window's size now, made afresh when it changed.
bool SdlSaverWindow::SharedPixels(WindowSurface& out) {
    if (shmRefused_ || !window_ || presenter_) return false;
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (!shm_ || shm_->Width() != w || shm_->Height() != h) {
        shm_.reset();
        shm_ = X11ShmPixels::For(XWindowOf(window_), w, h);
        shmRefused_ = !shm_;
        if (!shm_) return false;
    }
    out = {shm_->Pixels(), w, h, w};
    return true;
}

bool SdlSaverWindow::Pixels(WindowSurface& out) {
    if (SharedPixels(out)) return true;
    SDL_Surface* s = window_ && !presenter_ ? SDL_GetWindowSurface(window_) : nullptr;
    if (s && (s->format->format == SDL_PIXELFORMAT_RGB888 ||
              s->format->format == SDL_PIXELFORMAT_ARGB8888)) {
        out = {static_cast<std::uint32_t*>(s->pixels), s->w, s->h, s->pitch / 4};
        return true;
    }
    // Another format (or no window): draw into our own pixels and convert
    // each presented rectangle; where SDL has no pixels at all (a window
    // made afresh at a new size), X takes them.
    if (!s && window_ && !presenter_) presenter_ = X11Presenter::For(XWindowOf(window_));
    if (shadow_.empty()) {
        shadow_.assign(static_cast<std::size_t>(PixelWidth()) * PixelHeight(), 0xFFFFFF);
        shadowSurface_ =
            SDL_CreateRGBSurfaceWithFormatFrom(shadow_.data(), PixelWidth(), PixelHeight(), 32,
                                               PixelWidth() * 4, SDL_PIXELFORMAT_RGB888);
    }
    out = {shadow_.data(), PixelWidth(), PixelHeight(), PixelWidth()};
    return true;
}

bool SdlSaverWindow::PresentRects(const PixelRect* rects, int count) {
    if (!window_) return true;
    if (shm_) {
        shm_->Put(rects, count);
        return true;
    }
    if (presenter_ && !shadow_.empty()) {
        for (int i = 0; i < count; ++i) {
            const PixelRect& r = rects[i];
            presenter_->Put(shadow_.data(), PixelWidth(), PixelHeight(), PixelWidth(), r.x, r.y,
                            r.w, r.h);
        }
        presenter_->Flush();
        return true;
    }
    const auto* sdlRects = reinterpret_cast<const SDL_Rect*>(rects);
    if (shadowSurface_) {
        SDL_Surface* target = SDL_GetWindowSurface(window_);
        for (int i = 0; target && i < count; ++i) {
            SDL_Rect r = sdlRects[i];
            SDL_BlitSurface(shadowSurface_, &r, target, &r);
        }
    }
    // Only SDL's own pixels can go invalid; the stand-ins are ours.
    return SDL_UpdateWindowSurfaceRects(window_, sdlRects, count) == 0 || shadowSurface_;
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
    WaitAlso(timeoutMs, -1, nullptr);
}

void SdlSaverWindow::WaitAlso(std::uint32_t timeoutMs, int fd, bool* ready) {
    Present();
    const int timeout = static_cast<int>(std::min<std::uint32_t>(timeoutMs, 1u << 30));
    // On X one poll of the connection; SDL's own wait would pump first and
    // then poll, a dozen system calls more in every frame.
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
    if (!window_ || !XWaitForInput(window_, timeout, fd, ready))
        SDL_WaitEventTimeout(nullptr, timeout);
}

void SdlSaverWindow::FinishPresenting() {
    if (shm_) shm_->Finish();
}

unsigned long SdlSaverWindow::BeforeMessageBox() {
    LetOthersAbove(window_);
    return XWindowOf(window_);
}

void SdlSaverWindow::Deliver(const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN:
            KeyDown(static_cast<std::int16_t>(e.key.keysym.sym & 0x7FFF),
                    ShiftState(e.key.keysym.mod));
            break;
        case SDL_MOUSEBUTTONDOWN:
            MouseDown(static_cast<std::int16_t>(SDL_BUTTON(e.button.button)),
                      ShiftState(SDL_GetModState()), e.button.x, e.button.y);
            break;
        case SDL_MOUSEMOTION:
            MouseMove(ButtonBits(e.motion.state), ShiftState(SDL_GetModState()), e.motion.x,
                      e.motion.y);
            break;
        case SDL_QUIT:
            // Stopped from outside (a signal, the session ending): the run
            // is not counted.
            host().End();
            break;
        case SDL_WINDOWEVENT:
            // The window's pixels are still ours: show them all again.
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                RenewPixels();
                Present();
            }
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) RepaintAll();
            break;
        default:
            break;
    }
}

}  // namespace plat
