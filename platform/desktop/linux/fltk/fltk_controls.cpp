#include "platform/desktop/linux/fltk/fltk_controls.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdlib>

#include "platform/desktop/linux/fltk/fltk_form.h"
#include "platform/desktop/linux/fltk/fltk_picture.h"

namespace plat::fltk {
namespace {

// A caption drawn from the widget's very edge, with no access-key
// processing: the text given is already the text shown.
class Caption : public Fl_Box {
  public:
    Caption(int x, int y, int w, int h) : Fl_Box(x, y, w, h) { clear_flag(SHORTCUT_LABEL); }
    void draw() override {
        draw_box();
        draw_label(x(), y(), w(), h(), align());
    }
};

class PushButton : public Fl_Button {
  public:
    PushButton(int x, int y, int w, int h) : Fl_Button(x, y, w, h) { clear_flag(SHORTCUT_LABEL); }
};

class OptionButton : public Fl_Round_Button {
  public:
    OptionButton(int x, int y, int w, int h) : Fl_Round_Button(x, y, w, h) {
        clear_flag(SHORTCUT_LABEL);
    }
};

// A line from the box's top-left to its bottom-right corner (horizontal
// and vertical lines are boxes one pixel thick).
class Line : public Fl_Widget {
  public:
    Line(int x, int y, int w, int h, bool rising) : Fl_Widget(x, y, w, h), rising_(rising) {}
    void draw() override {
        fl_color(color());
        if (rising_)
            fl_line(x(), y() + h() - 1, x() + w() - 1, y());
        else
            fl_line(x(), y(), x() + w() - 1, y() + h() - 1);
    }

  private:
    bool rising_;
};

bool IsInput(ControlKind k) {
    return k == ControlKind::TextBox || k == ControlKind::MultiLineTextBox;
}

}  // namespace

Fl_Color ToFlColor(COLORREF c) {
    return fl_rgb_color(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

std::string LabelText(const std::string& shown) {
    std::string out;
    for (char c : shown) {
        if (c == '@') out += '@';
        out += c;
    }
    return out;
}

FltkControl::FltkControl(FltkForm& form, const ControlDesign& design, PixelRect at)
    : ControlState(form, design), x_(at.x), y_(at.y) {
    if (!design.picture.empty()) picture_ = LoadPicture(design.picture);
    widget_ = MakeWidget(at.x, at.y, at.w, at.h);
    Style();
    SetText(design.text);
}

Fl_Widget* FltkControl::MakeWidget(int x, int y, int w, int h) {
    switch (Design().kind) {
        case ControlKind::TextBox:
            return new Fl_Input(x, y, w, h);
        case ControlKind::MultiLineTextBox: {
            auto* box = new Fl_Multiline_Input(x, y, w, h);
            box->wrap(1);
            return box;
        }
        case ControlKind::CommandButton:
        case ControlKind::GraphicalButton:
            return new PushButton(x, y, w, h);
        case ControlKind::OptionButton:
            return new OptionButton(x, y, w, h);
        case ControlKind::Line: {
            // x, y is the start; w, h the signed run to the end.
            int x0 = std::min(x, x + w), y0 = std::min(y, y + h);
            return new Line(x0, y0, std::abs(w) + 1, std::abs(h) + 1, (w < 0) != (h < 0));
        }
        case ControlKind::Image:
            if (picture_ && w == 0 && h == 0)
                return new Caption(x, y, picture_->w(), picture_->h());
            return new Caption(x, y, w, h);
        case ControlKind::Frame:
        case ControlKind::Label:
            return new Caption(x, y, w, h);
    }
    return nullptr;
}

void FltkControl::Style() {
    Fl_Widget* w = widget_;
    w->labelfont(Design().bold ? FL_HELVETICA_BOLD : FL_HELVETICA);
    w->labelsize(kFontSize);
    if (Design().foreColor) w->labelcolor(ToFlColor(*Design().foreColor));
    if (Design().backColor) w->color(ToFlColor(*Design().backColor));
    switch (Design().kind) {
        case ControlKind::Label:
            w->box(Design().backColor ? FL_FLAT_BOX : FL_NO_BOX);
            w->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP | FL_ALIGN_CLIP |
                     (Design().align == TextAlign::Left ? FL_ALIGN_LEFT : 0) |
                     (Design().wordWrap ? FL_ALIGN_WRAP : 0));
            break;
        case ControlKind::Frame:
            w->box(FL_ENGRAVED_FRAME);
            break;
        case ControlKind::Image:
            w->box(FL_NO_BOX);
            w->image(picture_.get());
            break;
        case ControlKind::GraphicalButton:
            w->image(picture_.get());
            w->align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE);
            [[fallthrough]];
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
            w->callback(Pressed, this);
            w->visible_focus(1);
            break;
        case ControlKind::TextBox:
        case ControlKind::MultiLineTextBox: {
            auto* in = static_cast<Fl_Input_*>(w);
            in->textfont(FL_HELVETICA);
            in->textsize(kFontSize);
            in->box(FL_DOWN_BOX);
            if (Design().foreColor) in->textcolor(ToFlColor(*Design().foreColor));
            break;
        }
        case ControlKind::Line:
            w->color(Design().foreColor ? ToFlColor(*Design().foreColor) : FL_BLACK);
            break;
    }
}

std::string FltkControl::Text() const {
    if (!IsInput(Design().kind)) return ControlState::Text();
    std::string value = static_cast<Fl_Input_*>(widget_)->value();
    return Design().kind == ControlKind::MultiLineTextBox ? ToCrLf(value) : value;
}

void FltkControl::ShowText(const std::string& text) {
    if (IsInput(Design().kind)) {
        auto* in = static_cast<Fl_Input_*>(widget_);
        in->value(Design().kind == ControlKind::MultiLineTextBox ? ToLf(text).c_str()
                                                                 : text.c_str());
        in->position(0);  // the caret at the start shows the text's first line
    } else {
        // No caption at all rather than an empty one: FLTK makes room for a
        // line of empty text below a picture, which then sits off centre.
        const std::string shown = LabelText(ShownCaption(text));
        if (Design().kind != ControlKind::Line && Design().kind != ControlKind::Image)
            widget_->copy_label(shown.empty() ? nullptr : shown.c_str());
        widget_->redraw();
    }
}

bool FltkControl::Value() const {
    return Design().kind == ControlKind::OptionButton && static_cast<Fl_Button*>(widget_)->value();
}

void FltkControl::SetChecked(bool chosen) {
    if (Design().kind == ControlKind::OptionButton) static_cast<Fl_Button*>(widget_)->value(chosen);
}

void FltkControl::ShowEnabled(bool enabled) {
    if (enabled)
        widget_->activate();
    else
        widget_->deactivate();
}

void FltkControl::Pressed(Fl_Widget*, void* self) {
    static_cast<FltkControl*>(self)->Clicked();
}

}  // namespace plat::fltk
