// A form as an FLTK window: fixed size, controls as direct children (frames
// first, so they are drawn under their contents), Tab by tab index.
#pragma once
#include <FL/Fl_Double_Window.H>

#include <memory>

#include "platform/desktop/linux/fltk/fltk_controls.h"

namespace plat::fltk {

// The window frame that a form's outer size adds to its client area, in
// pixels: a single border on each side and the title bar.
constexpr int kBorderPixels = 3;
constexpr int kCaptionPixels = 19;

class FltkForm : public FormState {
  public:
    explicit FltkForm(const FormDesign& design);
    ~FltkForm() override;

    Control& Add(const ControlDesign& design) override;

  private:
    class Window;
    void Place(double left, double top) override;
    void Reveal() override;
    void Conceal() override;
    bool Revealed() const override;
    bool GiveFocus(ControlState& control) override;
    bool HasFocus(const ControlState& control) const override;

    std::unique_ptr<Window> window_;
    std::unique_ptr<Fl_RGB_Image> icon_;
    int frames_ = 0;
};

}  // namespace plat::fltk
