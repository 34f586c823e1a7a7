// One form of the Windows forms runtime: a fixed-size window with a single
// border and a title bar, and its controls.
#pragma once
#include <memory>

#include "platform/forms.h"

struct HWND__;
struct HBRUSH__;
struct HFONT__;
struct HICON__;

namespace win32 {

class FormsRuntime;
class Win32Control;

class Win32Form : public plat::FormState {
  public:
    Win32Form(FormsRuntime& runtime, const plat::FormDesign& design);
    ~Win32Form() override;

    plat::Control& Add(const plat::ControlDesign& design) override;
    // The frame as Windows draws it around the client area.
    double Width() const override;
    double Height() const override;

    // The form a window handle belongs to, or null.
    static Win32Form* Of(HWND__* hwnd);
    // Tab also selects the text of a one-line text box it reaches.
    void PressTab(bool backwards) override;
    bool PressEnter(HWND__* focused);
    HWND__* Window() const { return hwnd_; }
    HFONT__* Font(bool bold) const { return bold ? boldFont_ : font_; }
    HBRUSH__* BackBrush() const { return backBrush_; }

    // Handles one message; false for the default processing.
    bool Handle(unsigned message, unsigned long long wParam, long long lParam, long long& result);

  private:
    void Place(double left, double top) override;
    void Reveal() override;
    void Conceal() override;
    bool Revealed() const override;
    bool GiveFocus(plat::ControlState& control) override;
    bool HasFocus(const plat::ControlState& c) const override;
    bool CanFocus(const plat::ControlState& c) const override;
    void PaintLines();

    FormsRuntime& runtime_;
    HWND__* hwnd_ = nullptr;
    HBRUSH__* backBrush_ = nullptr;
    HFONT__* font_ = nullptr;
    HFONT__* boldFont_ = nullptr;
    HICON__* icon_ = nullptr;
    bool shown_ = false;
};

}  // namespace win32
