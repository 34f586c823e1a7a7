// One control of a form as an FLTK widget.
#pragma once
#include <FL/Fl_Image.H>
#include <FL/Fl_Widget.H>

#include <memory>

#include "platform/forms.h"

namespace plat::fltk {

class FltkForm;

// The 8.25 pt sans-serif of the forms at 96 dots per inch.
constexpr int kFontSize = 11;

Fl_Color ToFlColor(COLORREF c);

// FLTK draws "@..." in a label as a symbol; "@@" shows one "@".
std::string LabelText(const std::string& shown);

class FltkControl : public ControlState {
  public:
    // Creates the widget at the place given in the window.
    FltkControl(FltkForm& form, const ControlDesign& design, PixelRect at);
    Fl_Widget* Widget() const { return widget_; }
    int X() const { return x_; }  // the control's origin in the window, pixels
    int Y() const { return y_; }
    std::string Text() const override;
    bool Value() const override;

  private:
    static void Pressed(Fl_Widget*, void* self);
    Fl_Widget* MakeWidget(int x, int y, int w, int h);
    void Style();
    void ShowText(const std::string& text) override;
    void SetChecked(bool chosen) override;
    void ShowEnabled(bool enabled) override;

    int x_, y_;
    std::unique_ptr<Fl_RGB_Image> picture_;
    Fl_Widget* widget_;  // owned by the window
};

}  // namespace plat::fltk
