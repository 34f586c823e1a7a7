#include "platform/desktop/linux/x11/x11_shm_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>

#include "platform/desktop/linux/x11/x11_errors.h"
#include "platform/system/posix/system.h"

namespace plat {
namespace {

// 0x00RRGGBB as it is. SDL gives its windows a direct-colour visual where
// there is one, with a straight ramp in each channel's map; its own window
// pixels are then these words too.
bool RgbWords(const XWindowAttributes& a) {
    return a.visual && (a.visual->c_class == TrueColor || a.visual->c_class == DirectColor) &&
           a.depth == 24 && a.visual->red_mask == 0xFF0000 && a.visual->green_mask == 0xFF00 &&
           a.visual->blue_mask == 0xFF;
}

}  // namespace

std::unique_ptr<X11ShmPixels> X11ShmPixels::For(unsigned long window, int width, int height) {
    if (!window || width <= 0 || height <= 0) return nullptr;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return nullptr;
    std::unique_ptr<X11ShmPixels> p(new X11ShmPixels);
    p->display_ = dpy;
    p->window_ = window;
    XWindowAttributes a;
    TakeXErrors();
    if (!XShmQueryExtension(dpy) || !XGetWindowAttributes(dpy, window, &a) || TakeXErrors() ||
        !RgbWords(a))
        return nullptr;
    auto* segment = new XShmSegmentInfo{};
    p->segment_ = segment;
    segment->shmid = -1;
    XImage* img = XShmCreateImage(dpy, a.visual, 24, ZPixmap, nullptr, segment,
                                  static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!img) return nullptr;
    p->image_ = img;
    if (img->bits_per_pixel != 32 || img->bytes_per_line != width * 4 ||
        img->byte_order != (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? LSBFirst : MSBFirst))
        return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(img->bytes_per_line) * height;
    segment->shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment->shmid < 0) return nullptr;
    void* at = shmat(segment->shmid, nullptr, 0);
    // Gone with its last user, whatever ends the process.
    shmctl(segment->shmid, IPC_RMID, nullptr);
    if (at == reinterpret_cast<void*>(-1)) return nullptr;
    segment->shmaddr = img->data = static_cast<char*>(at);
    segment->readOnly = True;
    // A server on another machine cannot reach our memory: its refusal
    // arrives as an error.
    if (!XShmAttach(dpy, segment)) return nullptr;
    p->gc_ = XCreateGC(dpy, window, 0, nullptr);
    XSync(dpy, False);
    p->attached_ = true;
    if (TakeXErrors()) return nullptr;
    p->completionType_ = XShmGetEventBase(dpy) + ShmCompletion;
    p->pixels_ = reinterpret_cast<std::uint32_t*>(img->data);
    p->width_ = width;
    p->height_ = height;
    std::fill_n(p->pixels_, static_cast<std::size_t>(width) * height, 0xFFFFFFu);
    return p;
}

X11ShmPixels::~X11ShmPixels() {
    auto* dpy = static_cast<Display*>(display_);
    auto* segment = static_cast<XShmSegmentInfo*>(segment_);
    if (attached_) {
        Finish();
        XShmDetach(dpy, segment);
    }
    if (gc_) XFreeGC(dpy, static_cast<GC>(gc_));
    if (image_) {
        static_cast<XImage*>(image_)->data = nullptr;  // the shared memory's
        XDestroyImage(static_cast<XImage*>(image_));
    }
    if (attached_) XSync(dpy, False);  // detached before the memory goes
    if (segment && segment->shmaddr) shmdt(segment->shmaddr);
    delete segment;
    XCloseDisplay(dpy);
}

bool X11ShmPixels::Cut(const PixelRect& r, int& x0, int& y0, int& x1, int& y1) const {
    x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    x1 = std::min(r.x + r.w, width_), y1 = std::min(r.y + r.h, height_);
    return x0 < x1 && y0 < y1;
}

void X11ShmPixels::Put(const PixelRect* rects, int count) {
    auto* dpy = static_cast<Display*>(display_);
    int x0, y0, x1, y1, last = -1;
    for (int i = 0; i < count; ++i)
        if (Cut(rects[i], x0, y0, x1, y1)) last = i;
    if (last < 0) return;
    for (int i = 0; i <= last; ++i) {
        if (!Cut(rects[i], x0, y0, x1, y1)) continue;
        // The last one asks for the completion event: the server handles a
        // connection's requests in order, so then all are read, an earlier
        // Put's too.
        if (i == last) awaited_ = NextRequest(dpy);
        XShmPutImage(dpy, window_, static_cast<GC>(gc_), static_cast<XImage*>(image_), x0, y0, x0,
                     y0, static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0),
                     i == last ? True : False);
    }
    XFlush(dpy);
    pending_ = true;
}

// Only completions come on this connection (errors go to the handler).
// Events already read are looked at before the socket: the flush after a
// Put usually reads the completion with it.
void X11ShmPixels::Finish() {
    if (!pending_) return;
    auto* dpy = static_cast<Display*>(display_);
    const std::uint32_t start = posixsys::TickCount();
    while (pending_) {
        if (XEventsQueued(dpy, QueuedAlready) > 0 || XEventsQueued(dpy, QueuedAfterReading) > 0) {
            XEvent e;
            XNextEvent(dpy, &e);
            // An answer to a Put given up on earlier is not this one's.
            if (e.type == completionType_ && e.xany.serial >= awaited_) pending_ = false;
            continue;
        }
        const auto left = kMaxWaitMs - static_cast<std::int32_t>(posixsys::TickCount() - start);
        if (left <= 0) break;
        pollfd p{ConnectionNumber(dpy), POLLIN, 0};
        ::poll(&p, 1, left);
    }
    pending_ = false;
}

}  // namespace plat
