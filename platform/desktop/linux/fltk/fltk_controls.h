// One control of a form as an FLTK widget.
#pragma once
#include <FL/Fl_Image.H>
#include <FL/Fl_Widget.H>

#include <functional>
#include <memory>

#include "platform/forms.h"

namespace plat::fltk {

class FltkForm;

// The 8.25 pt sans-serif of the forms at 96 dots per inch.
constexpr int kFontSize = 11;

Fl_Color ToFlColor(COLORREF c);

// FLTK draws "@..." in a label as a symbol; "@@" shows one "@".
std::string LabelText(const std::string& shown);

class FltkControl : public Control {
  public:
    // Creates the widget at (x, y) with size w x h pixels in the window.
    FltkControl(FltkForm& form, const ControlDesign& design, int x, int y, int w, int h);
    const ControlDesign& Design() const override { return design_; }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool Value() const override;
    void SetValue(bool chosen) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    void SetFocus() override;
    void OnClick(std::function<void()> handler) override { onClick_ = std::move(handler); }

    Fl_Widget* Widget() const { return widget_; }
    int X() const { return x_; }  // the control's origin in the window, pixels
    int Y() const { return y_; }

  private:
    static void Clicked(Fl_Widget*, void* self);
    Fl_Widget* MakeWidget(int x, int y, int w, int h);
    void Style();

    FltkForm& form_;
    ControlDesign design_;
    std::string caption_;
    int x_, y_;
    std::unique_ptr<Fl_RGB_Image> picture_;
    Fl_Widget* widget_;  // owned by the window
    std::function<void()> onClick_;
};

}  // namespace plat::fltk
