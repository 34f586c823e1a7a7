#include "platform/desktop/linux/fltk/fltk_form.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input_.H>
#include <FL/x.H>

#include "platform/desktop/linux/fltk/fltk_picture.h"

namespace plat::fltk {

class FltkForm::Window : public Fl_Double_Window {
  public:
    Window(FltkForm& form, int w, int h) : Fl_Double_Window(w, h), form_(form) {
        callback(Closed, this);
    }
    void MoveTo(int x, int y) {
        position(x, y);
        force_position(1);
        placed_ = true;
        wantX_ = x;
        wantY_ = y;
    }
    // FLTK pulls a new window onto the screen when it maps it; a form taller
    // or wider than the screen keeps the place it was given all the same.
    void ShowInPlace() {
        show();
        if (placed_) XMoveWindow(fl_display, fl_xid(this), wantX_, wantY_);
    }
    int handle(int event) override {
        if (event == FL_KEYBOARD && Fl::event_key() == FL_Tab &&
            !Fl::event_state(FL_CTRL | FL_ALT | FL_META)) {
            form_.PressTab(Fl::event_state(FL_SHIFT) != 0);
            return 1;
        }
        if (event == FL_KEYBOARD && !Fl::event_state(FL_SHIFT | FL_CTRL | FL_ALT | FL_META)) {
            const int key = Fl::event_key();
            const bool forward = key == FL_Down || key == FL_Right;
            if ((forward || key == FL_Up || key == FL_Left) && form_.PressArrow(forward)) return 1;
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
    bool placed_ = false;
    int wantX_ = 0, wantY_ = 0;
};

FltkForm::FltkForm(const FormDesign& design) : FormState(design, {kBorderPixels, kCaptionPixels}) {
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
    window_->begin();
    auto control = std::make_unique<FltkControl>(*this, design, ControlPixels(design, ox, oy));
    window_->end();
    // Frames go before every other control so that they are drawn first.
    if (design.kind == ControlKind::Frame) window_->insert(*control->Widget(), frames_++);
    return Keep(std::move(control));
}

void FltkForm::Place(double left, double top) {
    // The window is placed by its client area; left and top are the frame's.
    window_->MoveTo(PixelsX(left) + kBorderPixels, PixelsY(top) + kBorderPixels + kCaptionPixels);
}

void FltkForm::Reveal() {
    window_->ShowInPlace();
}

void FltkForm::Conceal() {
    window_->hide();
}

bool FltkForm::Revealed() const {
    return window_->shown();
}

bool FltkForm::GiveFocus(ControlState& control) {
    Fl_Widget* widget = static_cast<FltkControl&>(control).Widget();
    if (control.Design().kind != ControlKind::MultiLineTextBox) {
        widget->take_focus();  // a one-line box reached by Tab has its text selected
        return true;
    }
    // FLTK selects a text box's whole text when Tab reaches it; a multi-line
    // box keeps its caret and selection instead, so typing adds to its text.
    auto* box = static_cast<Fl_Input_*>(widget);
    const int caret = box->position(), mark = box->mark();
    box->take_focus();
    box->position(caret, mark);
    return true;
}

bool FltkForm::HasFocus(const ControlState& control) const {
    return static_cast<const FltkControl&>(control).Widget() == Fl::focus();
}

}  // namespace plat::fltk
