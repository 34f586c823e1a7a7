// One control of a Windows form: a child window of the form (STATIC, EDIT,
// BUTTON), or for a line, a shape the form paints itself.
#pragma once
#include <functional>
#include <string>

#include "platform/forms.h"

struct HWND__;
struct HBITMAP__;
struct HBRUSH__;

namespace win32 {

class Win32Form;

class Win32Control : public plat::Control {
  public:
    // x, y, w, h in pixels within the form's client area (for a line: the
    // start and the signed run to the end).
    Win32Control(Win32Form& form, const plat::ControlDesign& design, int x, int y, int w, int h);
    ~Win32Control() override;

    const plat::ControlDesign& Design() const override { return design_; }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool Value() const override;
    void SetValue(bool chosen) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    void SetFocus() override;
    void OnClick(std::function<void()> handler) override { onClick_ = std::move(handler); }

    HWND__* Window() const { return hwnd_; }
    int X() const { return x_; }
    int Y() const { return y_; }
    int W() const { return w_; }
    int H() const { return h_; }
    // A click reported by the control's window (BN_CLICKED).
    void Clicked();
    // The brush and colours for WM_CTLCOLOR*; null for the defaults.
    HBRUSH__* Colours(void* hdc);

  private:
    Win32Form& form_;
    plat::ControlDesign design_;
    int x_, y_, w_, h_;
    HWND__* hwnd_ = nullptr;
    HBITMAP__* picture_ = nullptr;
    HBRUSH__* backBrush_ = nullptr;
    std::string caption_;
    bool enabled_ = true;
    std::function<void()> onClick_;
};

}  // namespace win32
