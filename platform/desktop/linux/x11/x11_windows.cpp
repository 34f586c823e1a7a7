#include "platform/desktop/linux/x11/x11_windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

#include "platform/desktop/linux/x11/x11_errors.h"
#include "platform/desktop/linux/x11/x11_pixels.h"

namespace plat {

bool CanOpenDisplay() {
    Display* d = XOpenDisplay(nullptr);
    if (d) XCloseDisplay(d);
    return d != nullptr;
}
namespace {

bool IsXrgb(const XImage* img) {
    return img->bits_per_pixel == 32 && img->red_mask == 0xFF0000 && img->green_mask == 0x00FF00 &&
           img->blue_mask == 0x0000FF;
}

}  // namespace

X11Windows::X11Windows() = default;

X11Windows::~X11Windows() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

void* X11Windows::Open() {
    if (!display_) {
        display_ = XOpenDisplay(nullptr);
        if (display_) {
            TolerateXErrors();
            InstallXConnectionLossHandler();
        }
    }
    return display_;
}

bool X11Windows::Capture(const CaptureArea& area, int width, int height, std::uint32_t* dst,
                         int pitch) {
    auto* dpy = static_cast<Display*>(display_);
    // A pixmap's image carries no channel masks: they are the screen's.
    VisualPixels screen(dpy);
    // In bands, so the copy in transit stays small however large the screen.
    constexpr int kBand = 64;
    for (int top = 0; top < height; top += kBand) {
        int rows = std::min(kBand, height - top);
        XImage* img =
            XGetImage(dpy, area.drawable, area.x, area.y + top, static_cast<unsigned>(width),
                      static_cast<unsigned>(rows), AllPlanes, ZPixmap);
        if (!img) return false;
        bool xrgb = IsXrgb(img) || (img->bits_per_pixel == 32 && !img->red_mask && screen.IsXrgb());
        for (int y = 0; y < rows; ++y) {
            std::uint32_t* row = dst + static_cast<std::size_t>(top + y) * pitch;
            if (xrgb) {
                std::memcpy(row, img->data + static_cast<std::size_t>(y) * img->bytes_per_line,
                            static_cast<std::size_t>(width) * 4);
                for (int x = 0; x < width; ++x) row[x] &= 0xFFFFFF;
                continue;
            }
            for (int x = 0; x < width; ++x) row[x] = screen.ToRgb(XGetPixel(img, x, y));
        }
        XDestroyImage(img);
    }
    return true;
}

bool X11Windows::CaptureDesktop(unsigned long under, int width, int height, std::uint32_t* dst,
                                int pitch) {
    auto* dpy = static_cast<Display*>(Open());
    CaptureArea area;
    if (!dpy || !DesktopUnder(dpy, under, area)) return false;
    return Capture(area, std::min(width, area.width), std::min(height, area.height), dst, pitch);
}

bool X11Windows::AcquireWindow(HWND id, WindowSurface& out) {
    auto* dpy = static_cast<Display*>(Open());
    if (!dpy || id == 0) return false;
    XWindowAttributes attrs;
    TakeXErrors();
    Status ok = XGetWindowAttributes(dpy, static_cast<Window>(id), &attrs);
    XSync(dpy, False);
    if (!ok || TakeXErrors() || attrs.width <= 0 || attrs.height <= 0) return false;
    Buffer& b = buffers_[id];
    b.width = attrs.width;
    b.height = attrs.height;
    b.pixels.assign(static_cast<std::size_t>(b.width) * b.height, 0xFFFFFF);
    b.dirty = false;
    Capture({static_cast<Window>(id), 0, 0, b.width, b.height}, b.width, b.height, b.pixels.data(),
            b.width);
    out = {b.pixels.data(), b.width, b.height, b.width};
    return true;
}

void X11Windows::Changed(HWND id) {
    auto it = buffers_.find(id);
    if (it != buffers_.end()) it->second.dirty = true;
}

void X11Windows::Release(HWND id) {
    auto it = buffers_.find(id);
    if (it == buffers_.end()) return;
    auto* dpy = static_cast<Display*>(display_);
    Buffer& b = it->second;
    if (dpy && b.dirty) {
        Visual* visual = DefaultVisual(dpy, DefaultScreen(dpy));
        int depth = DefaultDepth(dpy, DefaultScreen(dpy));
        XImage* img =
            XCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                         reinterpret_cast<char*>(b.pixels.data()), static_cast<unsigned>(b.width),
                         static_cast<unsigned>(b.height), 32, b.width * 4);
        if (img && IsXrgb(img)) {
            GC gc = XCreateGC(dpy, static_cast<Window>(id), 0, nullptr);
            XPutImage(dpy, static_cast<Window>(id), gc, img, 0, 0, 0, 0,
                      static_cast<unsigned>(b.width), static_cast<unsigned>(b.height));
            XFreeGC(dpy, gc);
            XSync(dpy, False);
        }
        if (img) {
            img->data = nullptr;  // the pixels are ours
            XDestroyImage(img);
        }
    }
    buffers_.erase(it);
}

}  // namespace plat
