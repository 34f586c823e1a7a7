#include "platform/desktop/linux/wayland/wl_saver_window.h"

#include <linux/input-event-codes.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "platform/desktop/linux/dirty_rects.h"
#include "platform/desktop/linux/wayland/wl_connection.h"
#include "platform/desktop/linux/wayland/wl_shm_buffer.h"
#include "platform/host.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace plat {
namespace {

constexpr int kShowTimeoutMs = 3000;

}  // namespace

// One output's surface and its two buffers. stale[i] holds what buffer i
// lacks of the saver's pixels; damage what changed since the last commit.
struct WlSaverWindow::Part {
    WlSaverWindow* owner = nullptr;
    MonitorRect area;  // in the saver's screen
    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    bool configured = false;
    std::unique_ptr<ShmBuffer> buffers[2];
    DirtyRects stale[2];
    DirtyRects damage;

    ~Part() {
        if (layer) zwlr_layer_surface_v1_destroy(layer);
        if (toplevel) xdg_toplevel_destroy(toplevel);
        if (xdgSurface) xdg_surface_destroy(xdgSurface);
        if (surface) wl_surface_destroy(surface);
    }
    void AllStale() {
        const PixelRect all{0, 0, area.width, area.height};
        for (auto& s : stale) s.Clear(), s.Add(all);
        damage.Clear();
        damage.Add(all);
    }

    static void LayerConfigure(void* data, zwlr_layer_surface_v1* l, uint32_t serial, uint32_t,
                               uint32_t) {
        zwlr_layer_surface_v1_ack_configure(l, serial);
        static_cast<Part*>(data)->configured = true;
    }
    // The output went away: the window follows the outputs at the next pump.
    static void LayerClosed(void* data, zwlr_layer_surface_v1*) {
        static_cast<Part*>(data)->configured = false;
    }
    static void XdgConfigure(void* data, xdg_surface* s, uint32_t serial) {
        xdg_surface_ack_configure(s, serial);
        static_cast<Part*>(data)->configured = true;
    }
    static void ToplevelConfigure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}
    // Closed by the compositor (the user's close binding): stopped from
    // outside, the run is not counted.
    static void ToplevelClose(void*, xdg_toplevel*) { host().End(); }
    static void ToplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {}
    static void ToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}
};

namespace {

const zwlr_layer_surface_v1_listener kLayerListener = {WlSaverWindow::Part::LayerConfigure,
                                                       WlSaverWindow::Part::LayerClosed};
const xdg_surface_listener kXdgSurfaceListener = {WlSaverWindow::Part::XdgConfigure};
const xdg_toplevel_listener kToplevelListener = {
    WlSaverWindow::Part::ToplevelConfigure, WlSaverWindow::Part::ToplevelClose,
    WlSaverWindow::Part::ToplevelBounds, WlSaverWindow::Part::ToplevelCapabilities};

std::int16_t ButtonBit(uint32_t button) {
    switch (button) {
        case BTN_LEFT:
            return 1;
        case BTN_RIGHT:
            return 2;
        case BTN_MIDDLE:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

// The seat's keyboard and pointer, turned into the form's events.
struct WlSaverWindow::Input {
    WlSaverWindow* w = nullptr;
    wl_seat* seat = nullptr;
    wl_pointer* pointer = nullptr;
    wl_keyboard* keyboard = nullptr;
    Part* over = nullptr;  // the part under the pointer
    std::int16_t buttons = 0, shift = 0;
    int x = 0, y = 0;  // in the saver's screen

    ~Input() {
        if (pointer) wl_pointer_release(pointer);
        if (keyboard) wl_keyboard_release(keyboard);
    }
    void At(wl_surface* s, wl_fixed_t sx, wl_fixed_t sy) {
        for (auto& p : w->parts_)
            if (p->surface == s) over = p.get();
        if (!over) return;
        x = over->area.x + wl_fixed_to_int(sx);
        y = over->area.y + wl_fixed_to_int(sy);
    }

    static Input* Of(void* d) { return static_cast<Input*>(d); }
    // Devices come and go (a virtual keyboard, a pointer plugged in): a
    // pointer or keyboard kept past its capability's end would never speak.
    static void Capabilities(void* d, wl_seat* seat, uint32_t caps) {
        Input* in = Of(d);
        const bool pointer = caps & WL_SEAT_CAPABILITY_POINTER;
        const bool keyboard = caps & WL_SEAT_CAPABILITY_KEYBOARD;
        if (pointer && !in->pointer) {
            in->pointer = wl_seat_get_pointer(seat);
            wl_pointer_add_listener(in->pointer, &kPointer, in);
        } else if (!pointer && in->pointer) {
            wl_pointer_release(in->pointer);
            in->pointer = nullptr;
            in->over = nullptr;
        }
        if (keyboard && !in->keyboard) {
            in->keyboard = wl_seat_get_keyboard(seat);
            wl_keyboard_add_listener(in->keyboard, &kKeyboard, in);
        } else if (!keyboard && in->keyboard) {
            wl_keyboard_release(in->keyboard);
            in->keyboard = nullptr;
        }
    }
    static void SeatName(void*, wl_seat*, const char*) {}

    // Entering counts as a move to where the pointer is, as on X.
    static void Enter(void* d, wl_pointer* p, uint32_t serial, wl_surface* s, wl_fixed_t sx,
                      wl_fixed_t sy) {
        Input* in = Of(d);
        if (!in->w->cursorShown_) wl_pointer_set_cursor(p, serial, nullptr, 0, 0);
        in->At(s, sx, sy);
        if (in->over) in->w->MouseMove(in->buttons, in->shift, in->x, in->y);
    }
    static void Leave(void* d, wl_pointer*, uint32_t, wl_surface*) { Of(d)->over = nullptr; }
    static void Motion(void* d, wl_pointer*, uint32_t, wl_fixed_t sx, wl_fixed_t sy) {
        Input* in = Of(d);
        if (!in->over) return;
        in->x = in->over->area.x + wl_fixed_to_int(sx);
        in->y = in->over->area.y + wl_fixed_to_int(sy);
        in->w->MouseMove(in->buttons, in->shift, in->x, in->y);
    }
    static void Button(void* d, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
        Input* in = Of(d);
        const std::int16_t bit = ButtonBit(button);
        if (state != WL_POINTER_BUTTON_STATE_PRESSED) {
            in->buttons = static_cast<std::int16_t>(in->buttons & ~bit);
            return;
        }
        in->buttons = static_cast<std::int16_t>(in->buttons | bit);
        in->w->MouseDown(bit ? bit : 1, in->shift, in->x, in->y);
    }
    static void Axis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
    static void Frame(void*, wl_pointer*) {}
    static void AxisSource(void*, wl_pointer*, uint32_t) {}
    static void AxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
    static void AxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
    static void AxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}

    // No keymap is needed: any key ends the run. The descriptor is ours.
    static void Keymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
    static void KeyEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
    static void KeyLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
    static void Key(void* d, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
        if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
        Input* in = Of(d);
        in->w->KeyDown(static_cast<std::int16_t>(key & 0x7FFF), in->shift);
    }
    // The modifier bits of the usual keymaps: Shift, Lock, Control, Mod1 (Alt).
    static void Modifiers(void* d, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t, uint32_t,
                          uint32_t) {
        std::int16_t s = 0;
        if (depressed & 1) s |= 1;
        if (depressed & 4) s |= 2;
        if (depressed & 8) s |= 4;
        Of(d)->shift = s;
    }
    static void RepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

    static const wl_seat_listener kSeat;
    static const wl_pointer_listener kPointer;
    static const wl_keyboard_listener kKeyboard;
};

const wl_seat_listener WlSaverWindow::Input::kSeat = {Capabilities, SeatName};
const wl_pointer_listener WlSaverWindow::Input::kPointer = {
    Enter, Leave, Motion, Button, Axis, Frame, AxisSource, AxisStop, AxisDiscrete, AxisValue120};
const wl_keyboard_listener WlSaverWindow::Input::kKeyboard = {Keymap, KeyEnter,  KeyLeave,
                                                              Key,    Modifiers, RepeatInfo};

WlSaverWindow::WlSaverWindow(DesktopWindows& windows, SaverEvents& events, WlConnection& wl,
                             const bool& cursorShown)
    : FrameWindow(windows, events, 0, 0), wl_(wl), cursorShown_(cursorShown) {
    int w = 0, h = 0;
    std::vector<MonitorRect> monitors;
    wl_.Layout(w, h, monitors);
    if (w <= 0 || h <= 0) return;
    SetSize(w, h);
    pixels_.assign(static_cast<std::size_t>(w) * h, 0xFFFFFF);
}

WlSaverWindow::~WlSaverWindow() {
    Close();
}

void WlSaverWindow::Destroy() {
    parts_.clear();
    input_.reset();
    std::vector<std::uint32_t>().swap(pixels_);
    if (wl_.Display()) wl_display_flush(wl_.Display());
}

void WlSaverWindow::MakeParts() {
    if (input_) input_->over = nullptr;
    parts_.clear();
    int w = 0, h = 0;
    std::vector<MonitorRect> monitors;
    wl_.Layout(w, h, monitors);
    const auto& outputs = wl_.Outputs();
    for (std::size_t i = 0; i < outputs.size() && i < monitors.size(); ++i) {
        auto p = std::make_unique<Part>();
        p->owner = this;
        p->area = monitors[i];
        p->surface = wl_compositor_create_surface(wl_.Compositor());
        wl_output* out = outputs[i]->output;
        if (wl_.LayerShell()) {
            p->layer = zwlr_layer_shell_v1_get_layer_surface(
                wl_.LayerShell(), p->surface, out, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "corvane");
            zwlr_layer_surface_v1_add_listener(p->layer, &kLayerListener, p.get());
            zwlr_layer_surface_v1_set_anchor(p->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                           ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                           ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                           ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
            zwlr_layer_surface_v1_set_exclusive_zone(p->layer, -1);
            zwlr_layer_surface_v1_set_keyboard_interactivity(p->layer, 1);
        } else {
            p->xdgSurface = xdg_wm_base_get_xdg_surface(wl_.WmBase(), p->surface);
            xdg_surface_add_listener(p->xdgSurface, &kXdgSurfaceListener, p.get());
            p->toplevel = xdg_surface_get_toplevel(p->xdgSurface);
            xdg_toplevel_add_listener(p->toplevel, &kToplevelListener, p.get());
            xdg_toplevel_set_title(p->toplevel, "Corvane Screen Saver");
            xdg_toplevel_set_app_id(p->toplevel, "corvane");
            xdg_toplevel_set_fullscreen(p->toplevel, out);
        }
        wl_surface_commit(p->surface);  // no buffer yet: asks for a configure
        p->AllStale();
        parts_.push_back(std::move(p));
    }
    if (!input_ && wl_.Seat()) {
        input_ = std::make_unique<Input>();
        input_->w = this;
        input_->seat = wl_.Seat();
        wl_seat_add_listener(wl_.Seat(), &Input::kSeat, input_.get());
    }
}

void WlSaverWindow::Show() {
    if (shown_ || pixels_.empty()) return;
    shown_ = true;
    MakeParts();
    // Pixels attached before a surface is configured are a protocol error:
    // wait for every configure, then show everything.
    for (int waited = 0; waited < kShowTimeoutMs; waited += 20) {
        if (!Events(20)) break;
        if (std::all_of(parts_.begin(), parts_.end(), [](auto& p) { return p->configured; })) break;
    }
    RepaintAll();
}

unsigned long WlSaverWindow::BeforeMessageBox() {
    // Below ordinary windows and without the keyboard, so that the box (an
    // XWayland window) shows over the saver and takes the keys.
    for (auto& p : parts_) {
        if (!p->layer) continue;
        if (wl_.LayerShellVersion() >= 2)
            zwlr_layer_surface_v1_set_layer(p->layer, ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM);
        zwlr_layer_surface_v1_set_keyboard_interactivity(p->layer, 0);
        wl_surface_commit(p->surface);
    }
    wl_display_flush(wl_.Display());
    return 0;
}

bool WlSaverWindow::Pixels(WindowSurface& out) {
    if (nextWidth_ > 0) {
        pixels_.assign(static_cast<std::size_t>(nextWidth_) * nextHeight_, 0xFFFFFF);
        SetSize(nextWidth_, nextHeight_);
        nextWidth_ = nextHeight_ = 0;
    }
    if (pixels_.empty()) return false;
    out = {pixels_.data(), Width(), Height(), Width()};
    return true;
}

bool WlSaverWindow::PresentRects(const PixelRect* rects, int count) {
    for (auto& p : parts_) {
        const MonitorRect& a = p->area;
        for (int i = 0; i < count; ++i) {
            const int x0 = std::max(rects[i].x, a.x), y0 = std::max(rects[i].y, a.y);
            const int x1 = std::min(rects[i].x + rects[i].w, a.x + a.width);
            const int y1 = std::min(rects[i].y + rects[i].h, a.y + a.height);
            if (x0 >= x1 || y0 >= y1) continue;
            const PixelRect local{x0 - a.x, y0 - a.y, x1 - x0, y1 - y0};
            p->stale[0].Add(local);
            p->stale[1].Add(local);
            p->damage.Add(local);
        }
        if (shown_) Draw(*p);
    }
    wl_display_flush(wl_.Display());
    return true;
}

// Brings a free buffer of the part up to date and shows it; with both
// buffers still read by the compositor, the changes wait for the next time.
void WlSaverWindow::Draw(Part& p) {
    if (!p.configured || p.damage.Count() == 0) return;
    int free = -1;
    for (int i = 0; i < 2 && free < 0; ++i) {
        if (!p.buffers[i]) {
            p.buffers[i] = ShmBuffer::Create(wl_.Shm(), p.area.width, p.area.height);
            if (!p.buffers[i]) continue;
        }
        if (!p.buffers[i]->Busy()) free = i;
    }
    if (free < 0) return;
    ShmBuffer& b = *p.buffers[free];
    DirtyRects& stale = p.stale[free];
    for (int i = 0; i < stale.Count(); ++i) {
        const PixelRect& r = stale[i];
        for (int y = r.y; y < r.y + r.h; ++y)
            std::memcpy(b.Row(y) + r.x,
                        &pixels_[static_cast<std::size_t>(p.area.y + y) * Width() + p.area.x + r.x],
                        static_cast<std::size_t>(r.w) * 4);
    }
    stale.Clear();
    wl_surface_attach(p.surface, b.Buffer(), 0, 0);
    for (int i = 0; i < p.damage.Count(); ++i) {
        const PixelRect& r = p.damage[i];
        if (wl_surface_get_version(p.surface) >= 4)
            wl_surface_damage_buffer(p.surface, r.x, r.y, r.w, r.h);
        else
            wl_surface_damage(p.surface, r.x, r.y, r.w, r.h);
    }
    p.damage.Clear();
    wl_surface_commit(p.surface);
    b.SetBusy();
}

// Outputs came, went or changed: new pixels at the new size (what was
// shown carried over), new surfaces; the saver, seeing the new size, sets
// itself up again.
void WlSaverWindow::FollowOutputs() {
    if (!wl_.TakeChanged()) return;
    int w = 0, h = 0;
    std::vector<MonitorRect> monitors;
    wl_.Layout(w, h, monitors);
    if (w <= 0 || h <= 0) return;  // no output now: wait for one
    nextWidth_ = w, nextHeight_ = h;
    RenewPixels();
    WindowSurface now;
    if (nextWidth_ > 0) Pixels(now);  // nothing drawn yet: just the new size
    if (shown_) MakeParts();
}

bool WlSaverWindow::Events(int timeoutMs) {
    if (wl_.Dispatch(timeoutMs)) return true;
    // The compositor went away: a stop from outside.
    host().End();
    return false;
}

void WlSaverWindow::Pump() {
    Present();
    Events(0);
    FollowOutputs();
}

void WlSaverWindow::Wait(std::uint32_t timeoutMs) {
    Present();
    Events(static_cast<int>(std::min<std::uint32_t>(timeoutMs, 1u << 30)));
}

}  // namespace plat
