#include "platform/desktop/linux/fltk/fltk_form.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>

#include <algorithm>

#include "platform/desktop/linux/fltk/fltk_picture.h"

namespace plat::fltk {

class FltkForm::Window : public Fl_Double_Window {
  public:
    Window(FltkForm& form, int w, int h) : Fl_Double_Window(w, h), form_(form) {
        callback(Closed, this);
    }
    void MoveTo(int x, int y) {
        position(x, y);
        force_position(1);  // keep the place even where it lies off the screen
    }
    int handle(int event) override {
        if (event == FL_KEYBOARD && Fl::event_key() == FL_Tab &&
            !Fl::event_state(FL_CTRL | FL_ALT | FL_META)) {
            form_.PressTab(Fl::event_state(FL_SHIFT) != 0);
            return 1;
        }
        // Enter presses the button that has the focus, as Space does.
        auto* button = dynamic_cast<Fl_Button*>(Fl::focus());
        if (event == FL_KEYBOARD && button && button->window() == this &&
            (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
            button->do_callback();
            return 1;
        }
        return Fl_Double_Window::handle(event);
    }

  private:
    // The close box, Alt+F4 or the system closing the window. Escape does
    // not close a form.
    static void Closed(Fl_Widget*, void* self) {
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
        static_cast<Window*>(self)->form_.Unload();
    }
    FltkForm& form_;
};

FltkForm::FltkForm(const FormDesign& design) : design_(design) {
    const int w = PixelsX(design.clientWidth), h = PixelsY(design.clientHeight);
    window_ = std::make_unique<Window>(*this, w, h);
    window_->end();
    window_->copy_label(design.caption.c_str());
    window_->size_range(w, h, w, h);  // a fixed size
    window_->xclass("Corvane");
    if (design.backColor) window_->color(ToFlColor(*design.backColor));
    if (!design.icon.empty()) icon_ = LoadPicture(design.icon, true);
    if (icon_) window_->icon(icon_.get());
}

FltkForm::~FltkForm() {
    window_.reset();  // deletes the widgets before the controls that own their pictures
}

Control& FltkForm::Add(const ControlDesign& design) {
    int ox = 0, oy = 0;
    if (auto* in = dynamic_cast<FltkControl*>(design.container)) ox = in->X(), oy = in->Y();
    const int x = ox + PixelsX(design.left), y = oy + PixelsY(design.top);
    int w, h;
    if (design.kind == ControlKind::Line) {
        w = ox + PixelsX(design.left + design.width) - x;
        h = oy + PixelsY(design.top + design.height) - y;
    } else {
        w = PixelsX(design.width);
        h = PixelsY(design.height);
    }
    window_->begin();
    auto control = std::make_unique<FltkControl>(*this, design, x, y, w, h);
    window_->end();
    // Frames go before every other control so that they are drawn first.
    if (design.kind == ControlKind::Frame) window_->insert(*control->Widget(), frames_++);
    controls_.push_back(std::move(control));
    return *controls_.back();
}

double FltkForm::Width() const {
    return design_.clientWidth + TwipsX(2 * kBorderPixels);
}

double FltkForm::Height() const {
    return design_.clientHeight + TwipsY(2 * kBorderPixels + kCaptionPixels);
}

void FltkForm::Move(double left, double top) {
    left_ = left;
    top_ = top;
    // The window is placed by its client area; left and top are the frame's.
    window_->MoveTo(PixelsX(left) + kBorderPixels, PixelsY(top) + kBorderPixels + kCaptionPixels);
}

void FltkForm::CenterOnScreen() {
    Move(CenteredPosition(host().ScreenWidth(), Width()),
         CenteredPosition(host().ScreenHeight(), Height()));
}

void FltkForm::Show() {
    unloaded_ = false;
    window_->show();
    if (pendingFocus_)
        pendingFocus_->Widget()->take_focus();
    else
        PressTab(false);
    pendingFocus_ = nullptr;
}

void FltkForm::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    window_->hide();
    if (onUnload_) onUnload_();
}

bool FltkForm::CanFocus(const FltkControl& c) const {
    if (!TakesFocus(c.Design().kind) || !c.Enabled()) return false;
    if (c.Design().kind != ControlKind::OptionButton || c.Value()) return true;
    return std::none_of(controls_.begin(), controls_.end(), [&](const auto& o) {
        return o->Design().kind == ControlKind::OptionButton &&
               o->Design().container == c.Design().container && o->Value();
    });
}

void FltkForm::PressTab(bool backwards) {
    std::vector<TabStop> stops;
    int current = -1;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        stops.push_back({controls_[i]->Design().tabIndex, CanFocus(*controls_[i])});
        if (controls_[i]->Widget() == Fl::focus()) current = static_cast<int>(i);
    }
    int next = NextTabStop(stops, current, backwards);
    if (next >= 0) controls_[next]->Widget()->take_focus();
}

void FltkForm::FocusOn(FltkControl& control) {
    if (window_->shown())
        control.Widget()->take_focus();
    else
        pendingFocus_ = &control;
}

void FltkForm::ClearGroup(FltkControl& chosen) {
    for (auto& c : controls_)
        if (c.get() != &chosen && c->Design().kind == ControlKind::OptionButton &&
            c->Design().container == chosen.Design().container)
            static_cast<Fl_Button*>(c->Widget())->value(0);
}

}  // namespace plat::fltk
