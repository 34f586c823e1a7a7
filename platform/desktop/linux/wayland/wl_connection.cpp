#include "platform/desktop/linux/wayland/wl_connection.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace plat {

struct WlOutputEvents {
    static WlConnection* Of(void* data) { return static_cast<WlConnection*>(data); }
    static WlOutput* Find(WlConnection* c, wl_output* o) {
        for (auto& out : c->outputs_)
            if (out->output == o) return out.get();
        return nullptr;
    }
    static void Geometry(void* data, wl_output* o, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                         const char*, const char*, int32_t) {
        if (WlOutput* out = Find(Of(data), o)) out->geometryX = x, out->geometryY = y;
    }
    static void Mode(void* data, wl_output* o, uint32_t flags, int32_t w, int32_t h, int32_t) {
        WlOutput* out = Find(Of(data), o);
        if (!out || !(flags & WL_OUTPUT_MODE_CURRENT)) return;
        if (out->modeWidth != w || out->modeHeight != h) Of(data)->OutputChanged();
        out->modeWidth = w, out->modeHeight = h;
    }
    static void Done(void*, wl_output*) {}
    static void Scale(void* data, wl_output* o, int32_t factor) {
        if (WlOutput* out = Find(Of(data), o)) out->scale = std::max(1, factor);
    }
    static void Name(void*, wl_output*, const char*) {}
    static void Description(void*, wl_output*, const char*) {}

    static WlOutput* FindXdg(WlConnection* c, zxdg_output_v1* x) {
        for (auto& out : c->outputs_)
            if (out->xdg == x) return out.get();
        return nullptr;
    }
    static void Position(void* data, zxdg_output_v1* x, int32_t px, int32_t py) {
        WlOutput* out = FindXdg(Of(data), x);
        if (!out) return;
        if (out->logical.x != px || out->logical.y != py) Of(data)->OutputChanged();
        out->logical.x = px, out->logical.y = py;
    }
    static void Size(void* data, zxdg_output_v1* x, int32_t w, int32_t h) {
        WlOutput* out = FindXdg(Of(data), x);
        if (!out) return;
        if (out->logical.width != w || out->logical.height != h) Of(data)->OutputChanged();
        out->logical.width = w, out->logical.height = h;
        out->logicalKnown = w > 0 && h > 0;
    }
    static void XdgDone(void*, zxdg_output_v1*) {}
    static void XdgName(void*, zxdg_output_v1*, const char*) {}
    static void XdgDescription(void*, zxdg_output_v1*, const char*) {}
};

namespace {

const wl_output_listener kOutputListener = {WlOutputEvents::Geometry, WlOutputEvents::Mode,
                                            WlOutputEvents::Done,     WlOutputEvents::Scale,
                                            WlOutputEvents::Name,     WlOutputEvents::Description};
const zxdg_output_v1_listener kXdgOutputListener = {
    WlOutputEvents::Position, WlOutputEvents::Size, WlOutputEvents::XdgDone,
    WlOutputEvents::XdgName, WlOutputEvents::XdgDescription};

// A compositor that pings and gets no answer takes the client for hung.
void Ping(void*, xdg_wm_base* base, uint32_t serial) {
    xdg_wm_base_pong(base, serial);
}
const xdg_wm_base_listener kWmBaseListener = {Ping};

template <typename T>
T* Bind(wl_registry* r, uint32_t name, const wl_interface* i, uint32_t have, uint32_t want) {
    return static_cast<T*>(wl_registry_bind(r, name, i, std::min(have, want)));
}

}  // namespace

void WlConnection::Global(void* data, wl_registry* r, uint32_t name, const char* interface,
                          uint32_t version) {
    auto* c = static_cast<WlConnection*>(data);
    const std::string i = interface;
    if (i == wl_compositor_interface.name) {
        c->compositor_ = Bind<wl_compositor>(r, name, &wl_compositor_interface, version, 4);
    } else if (i == wl_shm_interface.name) {
        c->shm_ = Bind<wl_shm>(r, name, &wl_shm_interface, version, 1);
    } else if (i == wl_seat_interface.name && !c->seat_) {
        c->seat_ = Bind<wl_seat>(r, name, &wl_seat_interface, version, 5);
    } else if (i == xdg_wm_base_interface.name) {
        c->wmBase_ = Bind<xdg_wm_base>(r, name, &xdg_wm_base_interface, version, 1);
        xdg_wm_base_add_listener(c->wmBase_, &kWmBaseListener, c);
    } else if (i == zwlr_layer_shell_v1_interface.name) {
        const char* off = std::getenv("CORVANE_WAYLAND_NO_LAYER_SHELL");
        if (off && *off && std::strcmp(off, "0") != 0) return;
        c->layerShellVersion_ = std::min<uint32_t>(version, 3);
        c->layerShell_ =
            Bind<zwlr_layer_shell_v1>(r, name, &zwlr_layer_shell_v1_interface, version, 3);
    } else if (i == zxdg_output_manager_v1_interface.name) {
        c->outputManager_ =
            Bind<zxdg_output_manager_v1>(r, name, &zxdg_output_manager_v1_interface, version, 2);
        for (auto& out : c->outputs_) c->WatchLogical(*out);
    } else if (i == zwlr_screencopy_manager_v1_interface.name) {
        c->screencopy_ = Bind<zwlr_screencopy_manager_v1>(
            r, name, &zwlr_screencopy_manager_v1_interface, version, 3);
    } else if (i == wl_output_interface.name) {
        c->AddOutput(name, version);
    }
}

void WlConnection::GlobalRemove(void* data, wl_registry*, uint32_t name) {
    auto* c = static_cast<WlConnection*>(data);
    auto& outs = c->outputs_;
    auto it = std::find_if(outs.begin(), outs.end(), [&](auto& o) { return o->name == name; });
    if (it == outs.end()) return;
    if ((*it)->xdg) zxdg_output_v1_destroy((*it)->xdg);
    wl_output_destroy((*it)->output);
    outs.erase(it);
    c->OutputChanged();
}

void WlConnection::AddOutput(uint32_t name, uint32_t version) {
    auto out = std::make_unique<WlOutput>();
    out->name = name;
    out->output = Bind<wl_output>(registry_, name, &wl_output_interface, version, 3);
    wl_output_add_listener(out->output, &kOutputListener, this);
    WatchLogical(*out);
    outputs_.push_back(std::move(out));
    OutputChanged();
}

void WlConnection::WatchLogical(WlOutput& out) {
    if (!outputManager_ || out.xdg) return;
    out.xdg = zxdg_output_manager_v1_get_xdg_output(outputManager_, out.output);
    zxdg_output_v1_add_listener(out.xdg, &kXdgOutputListener, this);
}

std::unique_ptr<WlConnection> WlConnection::Open(std::string& why) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if ((!name || !*name) && !std::getenv("WAYLAND_SOCKET")) {
        why = "no Wayland compositor (WAYLAND_DISPLAY is not set)";
        return nullptr;
    }
    std::unique_ptr<WlConnection> c(new WlConnection);
    c->display_ = wl_display_connect(nullptr);
    if (!c->display_) {
        why =
            std::string("cannot connect to the Wayland compositor \"") + (name ? name : "") + "\"";
        return nullptr;
    }
    static const wl_registry_listener kRegistry = {Global, GlobalRemove};
    c->registry_ = wl_display_get_registry(c->display_);
    wl_registry_add_listener(c->registry_, &kRegistry, c.get());
    // The globals, then the outputs' details, then xdg-output's.
    for (int i = 0; i < 3; ++i)
        if (!c->Roundtrip()) break;
    const char* missing = !c->compositor_                  ? "wl_compositor"
                          : !c->shm_                       ? "wl_shm"
                          : !c->layerShell_ && !c->wmBase_ ? "xdg_wm_base"
                          : c->outputs_.empty()            ? "wl_output"
                                                           : nullptr;
    if (missing) {
        why = std::string("the Wayland compositor offers no ") + missing;
        return nullptr;
    }
    c->started_ = true;
    c->changed_ = false;
    return c;
}

WlConnection::~WlConnection() {
    if (!display_) return;
    for (auto& out : outputs_) {
        if (out->xdg) zxdg_output_v1_destroy(out->xdg);
        wl_output_destroy(out->output);
    }
    if (screencopy_) zwlr_screencopy_manager_v1_destroy(screencopy_);
    if (outputManager_) zxdg_output_manager_v1_destroy(outputManager_);
    if (layerShell_) zwlr_layer_shell_v1_destroy(layerShell_);
    if (wmBase_) xdg_wm_base_destroy(wmBase_);
    if (seat_) wl_seat_destroy(seat_);
    if (shm_) wl_shm_destroy(shm_);
    if (compositor_) wl_compositor_destroy(compositor_);
    if (registry_) wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

namespace {

// An output's area in the compositor's layout: xdg-output's logical one,
// else the mode's pixels divided by the scale at wl_output's place.
MonitorRect LogicalArea(const WlOutput& o) {
    if (o.logicalKnown) return o.logical;
    return {o.geometryX, o.geometryY, o.modeWidth / o.scale, o.modeHeight / o.scale};
}

}  // namespace

void WlConnection::Layout(int& width, int& height, std::vector<MonitorRect>& monitors) const {
    std::vector<MonitorRect> areas;
    for (auto& o : outputs_) areas.push_back(LogicalArea(*o));
    BoundingLayout box = BoundingBoxOf(areas);
    width = box.width;
    height = box.height;
    monitors = std::move(box.monitors);
}

bool WlConnection::TakeChanged() {
    const bool c = changed_;
    changed_ = false;
    return c;
}

bool WlConnection::Roundtrip() {
    return wl_display_roundtrip(display_) >= 0;
}

bool WlConnection::Dispatch(int timeoutMs) {
    while (wl_display_prepare_read(display_) != 0)
        if (wl_display_dispatch_pending(display_) < 0) return false;
    // Send everything; a full socket waits until the compositor reads.
    while (wl_display_flush(display_) < 0 && errno == EAGAIN) {
        pollfd out{wl_display_get_fd(display_), POLLOUT, 0};
        ::poll(&out, 1, timeoutMs);
    }
    pollfd in{wl_display_get_fd(display_), POLLIN, 0};
    const int ready = ::poll(&in, 1, timeoutMs);
    if (ready > 0) {
        if (wl_display_read_events(display_) < 0) return false;
    } else {
        wl_display_cancel_read(display_);
    }
    return wl_display_dispatch_pending(display_) >= 0;
}

}  // namespace plat
