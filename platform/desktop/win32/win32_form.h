// One form of the Windows forms runtime: a fixed-size window with a single
// border and a title bar, and its controls.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "platform/forms.h"

struct HWND__;
struct HBRUSH__;
struct HFONT__;
struct HICON__;

namespace win32 {

class FormsRuntime;
class Win32Control;

class Win32Form : public plat::Form {
  public:
    Win32Form(FormsRuntime& runtime, const plat::FormDesign& design);
    ~Win32Form() override;

    plat::Control& Add(const plat::ControlDesign& design) override;
    double Width() const override;
    double Height() const override;
    double Left() const override { return left_; }
    double Top() const override { return top_; }
    void Move(double left, double top) override;
    void CenterOnScreen() override;
    void Show() override;
    void Unload() override;
    void OnUnload(std::function<void()> handler) override { onUnload_ = std::move(handler); }

    // The form a window handle belongs to, or null.
    static Win32Form* Of(HWND__* hwnd);
    void PressTab(bool backwards);
    bool PressEnter(HWND__* focused);
    void FocusOn(Win32Control& control);
    void ClearGroup(Win32Control& chosen);
    HWND__* Window() const { return hwnd_; }
    HFONT__* Font(bool bold) const { return bold ? boldFont_ : font_; }
    HBRUSH__* BackBrush() const { return backBrush_; }

    // Handles one message; false for the default processing.
    bool Handle(unsigned message, unsigned long long wParam, long long lParam, long long& result);

  private:
    bool CanFocus(const Win32Control& c) const;
    void PaintLines();

    FormsRuntime& runtime_;
    plat::FormDesign design_;
    HWND__* hwnd_ = nullptr;
    HBRUSH__* backBrush_ = nullptr;
    HFONT__* font_ = nullptr;
    HFONT__* boldFont_ = nullptr;
    HICON__* icon_ = nullptr;
    std::vector<std::unique_ptr<Win32Control>> controls_;
    std::function<void()> onUnload_;
    Win32Control* pendingFocus_ = nullptr;
    double left_ = 0, top_ = 0;
    bool shown_ = false;
    bool unloaded_ = false;
};

}  // namespace win32
