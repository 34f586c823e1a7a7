#include "platform/desktop/win32/win32_form.h"

#include <algorithm>

#include "assets/embedded.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/gdi32/bmp_decode.h"
#include "platform/desktop/win32/forms_runtime.h"
#include "platform/desktop/win32/win32_control.h"
#include "platform/desktop/win32/win32_host.h"
#include "platform/system/win32/windows_api.h"

namespace win32 {
namespace {

constexpr char kClassName[] = "CorvaneForm";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

LRESULT CALLBACK FormProc(::HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    if (Win32Form* form = Win32Form::Of(hwnd)) {
        try {
            long long result = 0;
            if (form->Handle(message, wParam, lParam, result)) return result;
        } catch (...) {
            KeepPendingException(std::current_exception());
            return 0;
        }
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterOnce() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FormProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    registered = ::RegisterClassExA(&wc) != 0;
}

::HFONT MakeFont(bool bold) {
    ::HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(825, ::GetDeviceCaps(screen, LOGPIXELSY), 7200);  // 8.25 pt
    ::ReleaseDC(nullptr, screen);
    return ::CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

// An icon from an embedded picture whose pure green pixels are transparent.
::HICON MakeIcon(const std::string& name) {
    auto bytes = EmbeddedPicture(name);
    ::HBITMAP colour = BitmapFromBmpBytes(bytes.data(), bytes.size());
    if (colour == nullptr) return nullptr;
    ::BITMAP bm{};
    ::GetObjectA(colour, sizeof bm, &bm);
    ::HBITMAP mask = ::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
    ::HDC c = ::CreateCompatibleDC(nullptr), m = ::CreateCompatibleDC(nullptr);
    ::HGDIOBJ oldC = ::SelectObject(c, colour), oldM = ::SelectObject(m, mask);
    ::SetBkColor(c, RGB(0, 255, 0));
    ::BitBlt(m, 0, 0, bm.bmWidth, bm.bmHeight, c, 0, 0, SRCCOPY);     // 1 where green
    ::BitBlt(c, 0, 0, bm.bmWidth, bm.bmHeight, m, 0, 0, 0x00220326);  // green to black
    ::SelectObject(c, oldC);
    ::SelectObject(m, oldM);
    ::DeleteDC(c);
    ::DeleteDC(m);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    ::HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(mask);
    ::DeleteObject(colour);
    return icon;
}

RECT OuterRect(int clientWidth, int clientHeight) {
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    return r;
}

}  // namespace

Win32Form::Win32Form(FormsRuntime& runtime, const plat::FormDesign& design)
    : runtime_(runtime), design_(design) {
    RegisterOnce();
    backBrush_ = design.backColor ? ::CreateSolidBrush(static_cast<COLORREF>(*design.backColor))
                                  : ::GetSysColorBrush(COLOR_BTNFACE);
    font_ = MakeFont(false);
    boldFont_ = MakeFont(true);
    const RECT r = OuterRect(plat::PixelsX(design.clientWidth), plat::PixelsY(design.clientHeight));
    hwnd_ = ::CreateWindowExA(kExStyle, kClassName, ToAnsi(design.caption).c_str(), kStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                              nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
    if (!design.icon.empty()) icon_ = MakeIcon(design.icon);
    if (icon_ != nullptr) {
        ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
        ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    }
}

Win32Form::~Win32Form() {
    if (shown_) runtime_.FormHidden();
    controls_.clear();
    if (hwnd_ != nullptr) {
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    if (design_.backColor) ::DeleteObject(backBrush_);
    ::DeleteObject(font_);
    ::DeleteObject(boldFont_);
    if (icon_ != nullptr) ::DestroyIcon(icon_);
}

Win32Form* Win32Form::Of(HWND__* hwnd) {
    if (hwnd == nullptr) return nullptr;
    char name[32] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) != kClassName) return nullptr;
    return reinterpret_cast<Win32Form*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

plat::Control& Win32Form::Add(const plat::ControlDesign& design) {
    int ox = 0, oy = 0;
    if (auto* in = dynamic_cast<Win32Control*>(design.container)) ox = in->X(), oy = in->Y();
    const int x = ox + plat::PixelsX(design.left), y = oy + plat::PixelsY(design.top);
    int w, h;
    if (design.kind == plat::ControlKind::Line) {
        w = ox + plat::PixelsX(design.left + design.width) - x;
        h = oy + plat::PixelsY(design.top + design.height) - y;
    } else {
        w = plat::PixelsX(design.width);
        h = plat::PixelsY(design.height);
    }
    controls_.push_back(std::make_unique<Win32Control>(*this, design, x, y, w, h));
    return *controls_.back();
}

double Win32Form::Width() const {
    const RECT r =
        OuterRect(plat::PixelsX(design_.clientWidth), plat::PixelsY(design_.clientHeight));
    return plat::TwipsX(r.right - r.left);
}

double Win32Form::Height() const {
    const RECT r =
        OuterRect(plat::PixelsX(design_.clientWidth), plat::PixelsY(design_.clientHeight));
    return plat::TwipsY(r.bottom - r.top);
}

void Win32Form::Move(double left, double top) {
    left_ = left;
    top_ = top;
    ::SetWindowPos(hwnd_, nullptr, plat::PixelsX(left), plat::PixelsY(top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::CenterOnScreen() {
    Move(plat::CenteredPosition(plat::host().ScreenWidth(), Width()),
         plat::CenteredPosition(plat::host().ScreenHeight(), Height()));
}

void Win32Form::Show() {
    if (!shown_) runtime_.FormShown();
    shown_ = true;
    unloaded_ = false;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
    ::UpdateWindow(hwnd_);
    if (pendingFocus_ != nullptr && pendingFocus_->Window() != nullptr)
        ::SetFocus(pendingFocus_->Window());
    else
        PressTab(false);
    pendingFocus_ = nullptr;
}

void Win32Form::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    ::ShowWindow(hwnd_, SW_HIDE);
    if (shown_) runtime_.FormHidden();
    shown_ = false;
    auto handler = onUnload_;
    if (handler) handler();
}

bool Win32Form::CanFocus(const Win32Control& c) const {
    if (!plat::TakesFocus(c.Design().kind) || !c.Enabled() || c.Window() == nullptr) return false;
    if (c.Design().kind != plat::ControlKind::OptionButton || c.Value()) return true;
    return std::none_of(controls_.begin(), controls_.end(), [&](const auto& o) {
        return o->Design().kind == plat::ControlKind::OptionButton &&
               o->Design().container == c.Design().container && o->Value();
    });
}

void Win32Form::PressTab(bool backwards) {
    std::vector<plat::TabStop> stops;
    int current = -1;
    ::HWND focus = ::GetFocus();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        stops.push_back({controls_[i]->Design().tabIndex, CanFocus(*controls_[i])});
        if (controls_[i]->Window() != nullptr && controls_[i]->Window() == focus)
            current = static_cast<int>(i);
    }
    const int next = plat::NextTabStop(stops, current, backwards);
    if (next < 0) return;
    ::HWND target = controls_[static_cast<std::size_t>(next)]->Window();
    ::SetFocus(target);
    // A one-line text box reached by Tab has its text selected, as in
    // dialogs; a multi-line one keeps its first lines in view.
    if (controls_[static_cast<std::size_t>(next)]->Design().kind == plat::ControlKind::TextBox)
        ::SendMessageA(target, EM_SETSEL, 0, -1);
}

bool Win32Form::PressEnter(HWND__* focused) {
    for (auto& c : controls_) {
        if (c->Window() != focused) continue;
        const auto kind = c->Design().kind;
        if (kind != plat::ControlKind::CommandButton && kind != plat::ControlKind::GraphicalButton)
            return false;
        c->Clicked();
        return true;
    }
    return false;
}

void Win32Form::FocusOn(Win32Control& control) {
    if (::IsWindowVisible(hwnd_) && control.Window() != nullptr)
        ::SetFocus(control.Window());
    else
        pendingFocus_ = &control;
}

void Win32Form::ClearGroup(Win32Control& chosen) {
    for (auto& c : controls_)
        if (c.get() != &chosen && c->Design().kind == plat::ControlKind::OptionButton &&
            c->Design().container == chosen.Design().container)
            ::SendMessageA(c->Window(), BM_SETCHECK, BST_UNCHECKED, 0);
}

void Win32Form::PaintLines() {
    PAINTSTRUCT ps;
    ::HDC dc = ::BeginPaint(hwnd_, &ps);
    for (auto& c : controls_) {
        if (c->Design().kind != plat::ControlKind::Line) continue;
        const COLORREF colour =
            c->Design().foreColor ? static_cast<COLORREF>(*c->Design().foreColor) : RGB(0, 0, 0);
        ::HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
        ::HGDIOBJ old = ::SelectObject(dc, pen);
        ::MoveToEx(dc, c->X(), c->Y(), nullptr);
        ::LineTo(dc, c->X() + c->W(), c->Y() + c->H());
        ::SetPixelV(dc, c->X() + c->W(), c->Y() + c->H(), colour);  // the end point too
        ::SelectObject(dc, old);
        ::DeleteObject(pen);
    }
    ::EndPaint(hwnd_, &ps);
}

bool Win32Form::Handle(unsigned message, unsigned long long wParam, long long lParam,
                       long long& result) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT r;
            ::GetClientRect(hwnd_, &r);
            ::FillRect(reinterpret_cast<::HDC>(wParam), &r, backBrush_);
            result = 1;
            return true;
        }
        case WM_PAINT:
            PaintLines();
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            auto* c = reinterpret_cast<Win32Control*>(
                ::GetWindowLongPtrA(reinterpret_cast<::HWND>(lParam), GWLP_USERDATA));
            ::HBRUSH brush = c != nullptr ? c->Colours(reinterpret_cast<void*>(wParam)) : nullptr;
            if (brush == nullptr) return false;
            result = reinterpret_cast<long long>(brush);
            return true;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
                auto* c = reinterpret_cast<Win32Control*>(
                    ::GetWindowLongPtrA(reinterpret_cast<::HWND>(lParam), GWLP_USERDATA));
                if (c != nullptr) c->Clicked();
                return true;
            }
            return false;
        case WM_CLOSE:
            // The close box or Alt+F4 unloads the form; the window stays
            // until the form is destroyed.
            Unload();
            return true;
        default:
            return false;
    }
}

}  // namespace win32
