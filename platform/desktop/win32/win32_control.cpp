#include "platform/desktop/win32/win32_control.h"

#include "assets/embedded.h"
#include "platform/desktop/win32/win32_form.h"
#include "platform/gdi.h"
#include "platform/gdi32/bmp_decode.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/windows_api.h"

namespace win32 {
namespace {

using plat::ControlKind;

bool IsInput(ControlKind k) {
    return k == ControlKind::TextBox || k == ControlKind::MultiLineTextBox;
}

struct WindowKind {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

// Windows' own controls apply the caption rule ("&&" shows "&", "&x" marks
// the access key), so captions are passed as designed.
WindowKind KindOf(const plat::ControlDesign& d) {
    const DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (d.kind) {
        case ControlKind::Label: {
            DWORD align = d.align == plat::TextAlign::Center ? SS_CENTER
                          : d.wordWrap                       ? SS_LEFT
                                                             : SS_LEFTNOWORDWRAP;
            return {"STATIC", common | align, 0};
        }
        case ControlKind::TextBox:
            return {"EDIT", common | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::MultiLineTextBox:
            return {"EDIT", common | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                    WS_EX_CLIENTEDGE};
        case ControlKind::CommandButton:
            return {"BUTTON", common | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::GraphicalButton:
            return {"BUTTON", common | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, 0};
        case ControlKind::OptionButton:
            return {"BUTTON", common | WS_TABSTOP | BS_RADIOBUTTON, 0};
        case ControlKind::Frame:
            return {"BUTTON", common | BS_GROUPBOX, 0};
        case ControlKind::Image:
            return {"STATIC", common | SS_BITMAP, 0};
        case ControlKind::Line:
            return {nullptr, 0, 0};
    }
    return {nullptr, 0, 0};
}

COLORREF Colour(plat::COLORREF c) {
    return static_cast<COLORREF>(c);
}

}  // namespace

Win32Control::Win32Control(Win32Form& form, const plat::ControlDesign& design, plat::PixelRect at)
    : ControlState(form, design), form_(form), at_(at) {
    const auto [x, y, w, h] = at;
    if (!design.picture.empty()) {
        auto bytes = EmbeddedPicture(design.picture);
        picture_ = BitmapFromBmpBytes(bytes.data(), bytes.size());
    }
    if (design.backColor) backBrush_ = ::CreateSolidBrush(Colour(*design.backColor));
    const WindowKind kind = KindOf(design);
    if (kind.className == nullptr) return;  // a line: painted by the form
    hwnd_ = ::CreateWindowExA(kind.exStyle, kind.className, "", kind.style, x, y, w, h,
                              form.Window(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font(design.bold)), FALSE);
    if (picture_ != nullptr) {
        const UINT msg = design.kind == ControlKind::Image ? STM_SETIMAGE : BM_SETIMAGE;
        ::SendMessageA(hwnd_, msg, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
        // A picture control of size 0 keeps the picture's own size; any
        // other size is kept as designed.
        if (design.kind == ControlKind::Image && !(w == 0 && h == 0))
            ::SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
    }
    // A new child window goes under its siblings: put it over the controls
    // added before it, except that a frame lies under everything.
    ::SetWindowPos(hwnd_, design.kind == ControlKind::Frame ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetText(design.text);
}

Win32Control::~Win32Control() {
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
    if (picture_ != nullptr) ::DeleteObject(picture_);
    if (backBrush_ != nullptr) ::DeleteObject(backBrush_);
}

std::string Win32Control::Text() const {
    if (!IsInput(Design().kind) || hwnd_ == nullptr) return ControlState::Text();
    const int n = ::GetWindowTextLengthA(hwnd_);
    std::string ansi(static_cast<std::size_t>(n) + 1, '\0');
    ansi.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd_, ansi.data(), n + 1)));
    return FromAnsi(ansi);
}

void Win32Control::ShowText(const std::string& text) {
    if (hwnd_ == nullptr) {
        ::InvalidateRect(form_.Window(), nullptr, TRUE);
        return;
    }
    if (Design().kind == ControlKind::Image || Design().kind == ControlKind::GraphicalButton)
        return;
    ::SetWindowTextA(hwnd_, ToAnsi(text).c_str());
}

bool Win32Control::Value() const {
    return Design().kind == ControlKind::OptionButton &&
           ::SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Control::SetChecked(bool chosen) {
    if (Design().kind != ControlKind::OptionButton) return;
    ::SendMessageA(hwnd_, BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Control::ShowEnabled(bool enabled) {
    if (hwnd_ != nullptr) ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

HBRUSH__* Win32Control::Colours(void* hdc) {
    auto* dc = static_cast<::HDC>(hdc);
    if (Design().foreColor) ::SetTextColor(dc, Colour(*Design().foreColor));
    if (IsInput(Design().kind)) {
        if (backBrush_ == nullptr) return nullptr;
        ::SetBkColor(dc, Colour(*Design().backColor));
        return backBrush_;
    }
    // Captions lie on the control's own colour, else on the form's.
    ::HBRUSH brush = backBrush_ != nullptr ? backBrush_ : form_.BackBrush();
    LOGBRUSH lb{};
    ::GetObjectA(brush, sizeof lb, &lb);
    ::SetBkColor(dc, lb.lbColor);
    return brush;
}

}  // namespace win32
