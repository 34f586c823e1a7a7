// A connection to the Wayland compositor and the globals the saver uses:
// the compositor, shared memory, the seat, the shells (wlroots' layer shell
// where there is one, xdg-shell), the outputs with their logical layout
// (xdg-output) and screen copy. Outputs that come, go or change after the
// start are noticed (Changed) so that the saver can set itself up again.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/linux/screen_layout.h"

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_seat;
struct wl_output;
struct xdg_wm_base;
struct zwlr_layer_shell_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_screencopy_manager_v1;

namespace plat {

struct WlOutput {
    wl_output* output = nullptr;
    std::uint32_t name = 0;  // the registry's
    zxdg_output_v1* xdg = nullptr;
    MonitorRect logical;                // in the compositor's layout
    int modeWidth = 0, modeHeight = 0;  // pixels of the current mode
    int scale = 1;
    int geometryX = 0, geometryY = 0;  // wl_output's own idea of the place
    bool logicalKnown = false;
};

class WlConnection {
  public:
    // Null, with what is missing in why, when there is no compositor or it
    // lacks what the saver needs (shared memory, a shell, an output).
    static std::unique_ptr<WlConnection> Open(std::string& why);
    ~WlConnection();
    WlConnection(const WlConnection&) = delete;
    WlConnection& operator=(const WlConnection&) = delete;

    wl_display* Display() const { return display_; }
    wl_compositor* Compositor() const { return compositor_; }
    wl_shm* Shm() const { return shm_; }
    wl_seat* Seat() const { return seat_; }
    xdg_wm_base* WmBase() const { return wmBase_; }
    // Null where the compositor has none, or CORVANE_WAYLAND_NO_LAYER_SHELL
    // asks to do without it (the full-screen windows of GNOME and weston).
    zwlr_layer_shell_v1* LayerShell() const { return layerShell_; }
    std::uint32_t LayerShellVersion() const { return layerShellVersion_; }
    zwlr_screencopy_manager_v1* Screencopy() const { return screencopy_; }
    const std::vector<std::unique_ptr<WlOutput>>& Outputs() const { return outputs_; }

    // The saver's screen: the bounding box of every output's logical area,
    // its origin at the top-left-most corner; monitors in box coordinates.
    void Layout(int& width, int& height, std::vector<MonitorRect>& monitors) const;
    // Whether outputs came, went or changed since the last call.
    bool TakeChanged();

    // Sends what is queued and handles every event that has arrived,
    // waiting up to timeoutMs (0: not at all) for the first. False when
    // the connection is lost.
    bool Dispatch(int timeoutMs);
    // Waits for the compositor to have answered every request sent so far.
    bool Roundtrip();

  private:
    WlConnection() = default;
    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    wl_seat* seat_ = nullptr;
    xdg_wm_base* wmBase_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    std::uint32_t layerShellVersion_ = 0;
    zxdg_output_manager_v1* outputManager_ = nullptr;
    zwlr_screencopy_manager_v1* screencopy_ = nullptr;
    std::vector<std::unique_ptr<WlOutput>> outputs_;
    bool changed_ = false;
    bool started_ = false;  // the first layout is known

    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);
    static void GlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    void AddOutput(std::uint32_t name, std::uint32_t version);
    void WatchLogical(WlOutput& out);
    void OutputChanged() { changed_ = changed_ || started_; }

    friend struct WlOutputEvents;
};

}  // namespace plat
