#include "platform/desktop/linux/wayland/wl_windows.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/desktop/linux/scale_pixels.h"
#include "platform/desktop/linux/wayland/portal_screenshot.h"
#include "platform/desktop/linux/wayland/wl_connection.h"
#include "platform/desktop/linux/wayland/wl_shm_buffer.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

namespace plat {
namespace {

constexpr int kCopyTimeoutMs = 3000;

// What the compositor says of one frame being copied.
struct Frame {
    bool shm = false, listed = false, ready = false, failed = false;
    std::uint32_t format = 0, width = 0, height = 0, stride = 0, flags = 0;

    static Frame* Of(void* d) { return static_cast<Frame*>(d); }
    static void Buffer(void* d, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t w, uint32_t h,
                       uint32_t stride) {
        Frame* f = Of(d);
        f->shm = true, f->format = format, f->width = w, f->height = h, f->stride = stride;
    }
    static void Flags(void* d, zwlr_screencopy_frame_v1*, uint32_t flags) { Of(d)->flags = flags; }
    static void Ready(void* d, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
        Of(d)->ready = true;
    }
    static void Failed(void* d, zwlr_screencopy_frame_v1*) { Of(d)->failed = true; }
    static void Damage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void Dmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
    static void Listed(void* d, zwlr_screencopy_frame_v1*) { Of(d)->listed = true; }
};

const zwlr_screencopy_frame_v1_listener kFrameListener = {
    Frame::Buffer, Frame::Flags,  Frame::Ready, Frame::Failed,
    Frame::Damage, Frame::Dmabuf, Frame::Listed};

// One output's picture; false with the reason in why.
bool CopyOutput(WlConnection& wl, wl_output* output, const MonitorRect& area, int width, int height,
                std::uint32_t* dst, int pitch, std::string& why) {
    Frame f;
    zwlr_screencopy_frame_v1* frame =
        zwlr_screencopy_manager_v1_capture_output(wl.Screencopy(), 0, output);
    zwlr_screencopy_frame_v1_add_listener(frame, &kFrameListener, &f);
    wl.Roundtrip();  // the buffer kinds come at once
    std::unique_ptr<ShmBuffer> b;
    const bool xrgb = f.format == WL_SHM_FORMAT_XRGB8888 || f.format == WL_SHM_FORMAT_ARGB8888;
    if (f.shm && xrgb)
        b = ShmBuffer::Create(wl.Shm(), static_cast<int>(f.width), static_cast<int>(f.height),
                              f.format, static_cast<int>(f.stride));
    if (b) {
        zwlr_screencopy_frame_v1_copy(frame, b->Buffer());
        for (int waited = 0; !f.ready && !f.failed && waited < kCopyTimeoutMs; waited += 50)
            if (!wl.Dispatch(50)) break;
    }
    zwlr_screencopy_frame_v1_destroy(frame);
    if (!b || !f.ready) {
        why = !f.shm  ? "no shared-memory copy offered"
              : !xrgb ? "pixel format " + std::to_string(f.format) + " not supported"
              : !b    ? "no memory for the copy"
                      : "the copy failed";
        return false;
    }
    // The mode's pixels brought to the output's logical size.
    ScaleInto({b->Row(0), b->Width(), b->Height(), b->Pitch(),
               (f.flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0},
              area, dst, width, height, pitch);
    return true;
}

// The portal's picture of the whole layout, scaled to the saver's screen.
bool FromPortal(int width, int height, std::uint32_t* dst, int pitch, std::string& why) {
    PortalPicture pic;
    if (!PortalScreenshot(pic, why)) return false;
    ScaleInto({pic.pixels.data(), pic.width, pic.height, pic.width}, {0, 0, width, height}, dst,
              width, height, pitch);
    return true;
}

}  // namespace

WlWindows::WlWindows(WlConnection& wl, std::unique_ptr<SystemWindows> foreign)
    : wl_(wl), foreign_(std::move(foreign)) {}

WlWindows::~WlWindows() = default;

// Screen copy where the compositor has it (unless CORVANE_WAYLAND_NO_SCREENCOPY
// asks to do without), else the desktop portal. Where nothing can be read
// the run goes on over white, and says why once.
bool WlWindows::CaptureDesktop(unsigned long, int width, int height, std::uint32_t* dst,
                               int pitch) {
    std::string why;
    bool any = false;
    const char* off = std::getenv("CORVANE_WAYLAND_NO_SCREENCOPY");
    if (wl_.Screencopy() && !(off && *off && std::strcmp(off, "0") != 0)) {
        int w = 0, h = 0;
        std::vector<MonitorRect> areas;
        wl_.Layout(w, h, areas);
        const auto& outputs = wl_.Outputs();
        for (std::size_t i = 0; i < outputs.size() && i < areas.size(); ++i)
            any |= CopyOutput(wl_, outputs[i]->output, areas[i], width, height, dst, pitch, why);
    } else {
        std::string portal;
        any = FromPortal(width, height, dst, pitch, portal);
        if (!any)
            why =
                "the compositor offers no screen copy (zwlr_screencopy_manager_v1), and " + portal;
    }
    if (!why.empty())
        std::fprintf(stderr, "Corvane: the desktop picture is white where it cannot be read: %s\n",
                     why.c_str());
    return any;
}

bool WlWindows::AcquireWindow(HWND id, WindowSurface& out) {
    return foreign_ && foreign_->AcquireWindow(id, out);
}

void WlWindows::Changed(HWND id) {
    if (foreign_) foreign_->Changed(id);
}

void WlWindows::Release(HWND id) {
    if (foreign_) foreign_->Release(id);
}

}  // namespace plat
