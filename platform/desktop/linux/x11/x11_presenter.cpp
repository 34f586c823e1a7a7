#include "platform/desktop/linux/x11/x11_presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

#include "platform/desktop/linux/x11/x11_errors.h"

namespace plat {
namespace {

// Each channel's map a straight ramp over that channel's own levels.
void StoreRamps(Display* dpy, Visual* v, Colormap map) {
    const unsigned long masks[] = {v->red_mask, v->green_mask, v->blue_mask};
    const char flags[] = {DoRed, DoGreen, DoBlue};
    std::vector<XColor> cells;
    for (int c = 0; c < 3; ++c) {
        if (!masks[c]) continue;
        int shift = __builtin_ctzl(masks[c]);
        unsigned long levels = (masks[c] >> shift) + 1;
        for (unsigned long i = 0; i < levels; ++i) {
            XColor cell{};
            cell.pixel = i << shift;
            auto value = static_cast<unsigned short>(levels > 1 ? 65535 * i / (levels - 1) : 0);
            cell.red = cell.green = cell.blue = value;
            cell.flags = flags[c];
            cells.push_back(cell);
        }
    }
    XStoreColors(dpy, map, cells.data(), static_cast<int>(cells.size()));
}

void UseColormap(Display* dpy, Window window, Colormap map) {
    XSetWindowColormap(dpy, window, map);
    XInstallColormap(dpy, map);  // there may be no window manager to do it
}

}  // namespace

std::unique_ptr<X11Presenter> X11Presenter::For(unsigned long window) {
    Display* dpy = window ? XOpenDisplay(nullptr) : nullptr;
    if (!dpy) return nullptr;
    std::unique_ptr<X11Presenter> p(new X11Presenter);
    p->display_ = dpy;
    p->window_ = window;
    XWindowAttributes a;
    TakeXErrors();
    if (!XGetWindowAttributes(dpy, window, &a) || TakeXErrors()) return nullptr;
    p->visual_ = a.visual;
    p->depth_ = a.depth;
    if (a.visual->c_class == TrueColor) {
        p->convert_ = VisualPixels(dpy, a.visual, a.colormap);
    } else if (a.visual->c_class == DirectColor) {
        // SDL gives such a window a direct-colour visual: a map of our own
        // with a straight ramp per channel, so the masks alone give the colour.
        p->colormap_ = XCreateColormap(dpy, window, a.visual, AllocAll);
        StoreRamps(dpy, a.visual, p->colormap_);
        UseColormap(dpy, window, p->colormap_);
        p->convert_ =
            VisualPixels::Masks(a.visual->red_mask, a.visual->green_mask, a.visual->blue_mask);
    } else if ((a.visual->c_class == PseudoColor || a.visual->c_class == GrayScale) &&
               a.visual->map_entries == 256) {
        // Our own colours: whatever the default map holds may be far off.
        p->colormap_ = XCreateColormap(dpy, window, a.visual, AllocAll);
        auto cube = VisualPixels::CubeColours();
        XColor cells[256];
        for (int i = 0; i < 256; ++i) {
            cells[i].pixel = static_cast<unsigned long>(i);
            cells[i].red = static_cast<unsigned short>((cube[i] >> 16 & 0xFF) * 257);
            cells[i].green = static_cast<unsigned short>((cube[i] >> 8 & 0xFF) * 257);
            cells[i].blue = static_cast<unsigned short>((cube[i] & 0xFF) * 257);
            cells[i].flags = DoRed | DoGreen | DoBlue;
        }
        XStoreColors(dpy, p->colormap_, cells, 256);
        UseColormap(dpy, window, p->colormap_);
        p->convert_ = VisualPixels::Cube();
    } else {
        return nullptr;
    }
    p->gc_ = XCreateGC(dpy, window, 0, nullptr);
    XSync(dpy, False);
    if (TakeXErrors()) return nullptr;
    return p;
}

X11Presenter::~X11Presenter() {
    auto* dpy = static_cast<Display*>(display_);
    if (image_) {
        static_cast<XImage*>(image_)->data = nullptr;  // buffer_'s
        XDestroyImage(static_cast<XImage*>(image_));
    }
    if (gc_) XFreeGC(dpy, static_cast<GC>(gc_));
    if (colormap_) XFreeColormap(dpy, colormap_);
    XCloseDisplay(dpy);
}

bool X11Presenter::MakeImage(int width, int height) {
    auto* dpy = static_cast<Display*>(display_);
    if (image_) {
        static_cast<XImage*>(image_)->data = nullptr;
        XDestroyImage(static_cast<XImage*>(image_));
        image_ = nullptr;
    }
    XImage* img =
        XCreateImage(dpy, static_cast<Visual*>(visual_), static_cast<unsigned>(depth_), ZPixmap, 0,
                     nullptr, static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!img) return false;
    buffer_.assign(static_cast<std::size_t>(img->bytes_per_line) * height, 0);
    img->data = buffer_.data();
    image_ = img;
    imageWidth_ = width;
    imageHeight_ = height;
    return true;
}

void X11Presenter::Put(const std::uint32_t* pixels, int width, int height, int pitch, int x, int y,
                       int w, int h) {
    if ((width != imageWidth_ || height != imageHeight_) && !MakeImage(width, height)) return;
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, width), y1 = std::min(y + h, height);
    if (x0 >= x1 || y0 >= y1) return;
    auto* img = static_cast<XImage*>(image_);
    for (int row = y0; row < y1; ++row) {
        const std::uint32_t* src = pixels + static_cast<std::size_t>(row) * pitch;
        char* line = img->data + static_cast<std::size_t>(row) * img->bytes_per_line;
        if (img->bits_per_pixel == 32) {
            auto* dst = reinterpret_cast<std::uint32_t*>(line);
            for (int col = x0; col < x1; ++col)
                dst[col] = static_cast<std::uint32_t>(convert_.FromRgb(src[col]));
        } else if (img->bits_per_pixel == 8) {
            for (int col = x0; col < x1; ++col)
                line[col] = static_cast<char>(convert_.FromRgb(src[col]));
        } else {
            for (int col = x0; col < x1; ++col)
                XPutPixel(img, col, row, convert_.FromRgb(src[col]));
        }
    }
    XPutImage(static_cast<Display*>(display_), window_, static_cast<GC>(gc_), img, x0, y0, x0, y0,
              static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0));
}

void X11Presenter::Flush() {
    XFlush(static_cast<Display*>(display_));
}

}  // namespace plat
