// A form as an FLTK window: fixed size, controls as direct children (frames
// first, so they are drawn under their contents), Tab by tab index.
#pragma once
#include <FL/Fl_Double_Window.H>

#include <functional>
#include <memory>
#include <vector>

#include "platform/desktop/linux/fltk/fltk_controls.h"

namespace plat::fltk {

// The window frame that a form's outer size adds to its client area, in
// pixels: a single border on each side and the title bar.
constexpr int kBorderPixels = 3;
constexpr int kCaptionPixels = 19;

class FltkForm : public Form {
  public:
    explicit FltkForm(const FormDesign& design);
    ~FltkForm() override;

    Control& Add(const ControlDesign& design) override;
    double Width() const override;
    double Height() const override;
    double Left() const override { return left_; }
    double Top() const override { return top_; }
    void Move(double left, double top) override;
    void CenterOnScreen() override;
    void Show() override;
    void Unload() override;
    void OnUnload(std::function<void()> handler) override { onUnload_ = std::move(handler); }

    void PressTab(bool backwards);
    void FocusOn(FltkControl& control);
    void ClearGroup(FltkControl& chosen);

  private:
    class Window;
    bool CanFocus(const FltkControl& c) const;

    FormDesign design_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<Fl_RGB_Image> icon_;
    std::vector<std::unique_ptr<FltkControl>> controls_;  // after window_: widgets go first
    int frames_ = 0;
    FltkControl* pendingFocus_ = nullptr;
    double left_ = 0, top_ = 0;
    bool unloaded_ = false;
    std::function<void()> onUnload_;
};

}  // namespace plat::fltk
