#include "platform/desktop/linux/fltk/fltk_msgbox.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>

#include "platform/desktop/linux/fltk/fltk_controls.h"
#include "platform/desktop/linux/fltk/fltk_options.h"

namespace plat::fltk {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kMaxTextWidth = 420;
constexpr int kButtonW = 75, kButtonH = 23;

// A yellow warning triangle with an exclamation mark.
class WarningIcon : public Fl_Widget {
  public:
    WarningIcon(int x, int y) : Fl_Widget(x, y, kIconSize, kIconSize) {}
    void draw() override {
        const int l = x(), t = y() + 1, r = x() + w() - 1, b = y() + h() - 2, m = x() + w() / 2;
        fl_color(fl_rgb_color(255, 255, 0));
        fl_polygon(m, t, r, b, l, b);
        fl_color(FL_BLACK);
        fl_loop(m, t, r, b, l, b);
        fl_rectf(m - 1, t + 9, 3, 11);
        fl_rectf(m - 1, b - 6, 3, 3);
    }
};

void Close(Fl_Widget* w, void*) {
    w->window()->hide();
}

// Return, Space and Escape close the box from any widget in it.
class BoxWindow : public Fl_Window {
  public:
    using Fl_Window::Fl_Window;
    int handle(int event) override {
        if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
            const int key = Fl::event_key();
            if (key == FL_Enter || key == FL_KP_Enter || key == ' ' || key == FL_Escape) {
                hide();
                return 1;
            }
        }
        return Fl_Window::handle(event);
    }
};

// The keyboard goes to the box once it is on screen, with or without a
// window manager, wherever the pointer is.
void TakeKeyboard(Fl_Window& win) {
    for (int i = 0; i < 100 && win.shown(); ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(fl_display, fl_xid(&win), &a) && a.map_state == IsViewable) {
            XRaiseWindow(fl_display, fl_xid(&win));
            XSetInputFocus(fl_display, fl_xid(&win), RevertToPointerRoot, CurrentTime);
            XFlush(fl_display);
            return;
        }
        Fl::wait(0.02);
    }
}

}  // namespace

void ShowMessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                    unsigned long owner) {
    UseOwnOptions();
    fl_font(FL_HELVETICA, kFontSize);
    int tw = kMaxTextWidth, th = 0;
    const std::string label = LabelText(text);
    fl_measure(label.c_str(), tw, th);  // width limited: the text wraps
    tw = std::min(std::max(tw, 1), kMaxTextWidth);
    const bool warning = icon == MsgIcon::Warning;
    const int textX = warning ? 2 * kMargin + kIconSize : kMargin + 6;
    const int textH = std::max(th, warning ? kIconSize : 0);
    const int w = std::max(textX + tw + kMargin + 6, kButtonW + 2 * kMargin);
    const int h = kMargin + textH + kMargin + kButtonH + kMargin;

    BoxWindow win(w, h);
    win.copy_label(title.c_str());
    win.set_modal();
    if (warning) new WarningIcon(kMargin, kMargin);
    auto* box = new Fl_Box(textX, kMargin, w - textX - kMargin, textH);
    box->copy_label(label.c_str());
    box->labelfont(FL_HELVETICA);
    box->labelsize(kFontSize);
    box->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_WRAP |
               (warning ? FL_ALIGN_CENTER : FL_ALIGN_TOP));
    auto* ok = new Fl_Button((w - kButtonW) / 2, h - kMargin - kButtonH, kButtonW, kButtonH, "OK");
    ok->labelsize(kFontSize);
    ok->shortcut(FL_Enter);
    ok->callback(Close);
    win.end();
    win.size_range(w, h, w, h);
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh);
    win.position(sx + (sw - w) / 2, sy + (sh - h) / 2);
    win.show();
    if (owner) XSetTransientForHint(fl_display, fl_xid(&win), owner);
    ok->take_focus();
    TakeKeyboard(win);
    while (win.shown()) Fl::wait();
}

}  // namespace plat::fltk
