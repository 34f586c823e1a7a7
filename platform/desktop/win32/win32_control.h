// One control of a Windows form: a child window of the form (STATIC, EDIT,
// BUTTON), or for a line, a shape the form paints itself.
#pragma once
#include <string>

#include "platform/forms.h"

struct HWND__;
struct HBITMAP__;
struct HBRUSH__;

namespace win32 {

class Win32Form;

class Win32Control : public plat::ControlState {
  public:
    // at: the place within the form's client area (for a line: the start
    // and the signed run to the end).
    Win32Control(Win32Form& form, const plat::ControlDesign& design, plat::PixelRect at);
    ~Win32Control() override;

    HWND__* Window() const { return hwnd_; }
    int X() const { return at_.x; }
    int Y() const { return at_.y; }
    int W() const { return at_.w; }
    int H() const { return at_.h; }
    // The brush and colours for WM_CTLCOLOR*; null for the defaults.
    HBRUSH__* Colours(void* hdc);

    std::string Text() const override;  // a text box's own text once it has a window
    bool Value() const override;

  private:
    void ShowText(const std::string& text) override;
    void SetChecked(bool chosen) override;
    void ShowEnabled(bool enabled) override;

    Win32Form& form_;
    plat::PixelRect at_;
    HWND__* hwnd_ = nullptr;
    HBITMAP__* picture_ = nullptr;
    HBRUSH__* backBrush_ = nullptr;
};

}  // namespace win32
