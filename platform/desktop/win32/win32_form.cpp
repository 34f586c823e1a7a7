#include "platform/desktop/win32/win32_form.h"

#include <algorithm>

#include "assets/embedded.h"
#include "platform/desktop/win32/forms_runtime.h"
#include "platform/desktop/win32/win32_control.h"
#include "platform/desktop/win32/win32_host.h"
#include "platform/gdi32/bmp_decode.h"
#include "platform/host.h"
#include "platform/system/win32/ansi_text.h"
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
    : FormState(design), runtime_(runtime) {
    RegisterOnce();
    backBrush_ = design.backColor ? ::CreateSolidBrush(static_cast<COLORREF>(*design.backColor))
                                  : ::GetSysColorBrush(COLOR_BTNFACE);
    font_ = MakeFont(false);
    boldFont_ = MakeFont(true);
    const RECT r = OuterRect(plat::PixelsX(design.clientWidth), plat::PixelsY(design.clientHeight));
    hwnd_ = ::CreateWindowExA(kExStyle, kClassName, ToAnsi(design.caption).c_str(), kStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                              nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
    // Windows clips a new window to the screen's largest tracking size before
    // the form can answer WM_GETMINMAXINFO; on a small screen the form then
    // lost its lower controls. Now that it answers, it takes its full size.
    ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!design.icon.empty()) icon_ = MakeIcon(design.icon);
    if (icon_ != nullptr) {
        ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
        ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    }
}

Win32Form::~Win32Form() {
    if (shown_) runtime_.FormHidden();
    DropControls();
    if (hwnd_ != nullptr) {
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    if (Design().backColor) ::DeleteObject(backBrush_);
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
    return Keep(std::make_unique<Win32Control>(*this, design, plat::ControlPixels(design, ox, oy)));
}

double Win32Form::Width() const {
    const RECT r =
        OuterRect(plat::PixelsX(Design().clientWidth), plat::PixelsY(Design().clientHeight));
    return plat::TwipsX(r.right - r.left);
}

double Win32Form::Height() const {
    const RECT r =
        OuterRect(plat::PixelsX(Design().clientWidth), plat::PixelsY(Design().clientHeight));
    return plat::TwipsY(r.bottom - r.top);
}

void Win32Form::Place(double left, double top) {
    ::SetWindowPos(hwnd_, nullptr, plat::PixelsX(left), plat::PixelsY(top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::Reveal() {
    if (!shown_) runtime_.FormShown();
    shown_ = true;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
    ::UpdateWindow(hwnd_);
}

void Win32Form::Conceal() {
    ::ShowWindow(hwnd_, SW_HIDE);
    if (shown_) runtime_.FormHidden();
    shown_ = false;
}

bool Win32Form::Revealed() const {
    return ::IsWindowVisible(hwnd_) != FALSE;
}

bool Win32Form::GiveFocus(plat::ControlState& control) {
    ::HWND window = static_cast<Win32Control&>(control).Window();
    if (window == nullptr) return false;
    ::SetFocus(window);
    return true;
}

bool Win32Form::CanFocus(const plat::ControlState& c) const {
    return static_cast<const Win32Control&>(c).Window() != nullptr && FormState::CanFocus(c);
}

bool Win32Form::HasFocus(const plat::ControlState& c) const {
    ::HWND window = static_cast<const Win32Control&>(c).Window();
    return window != nullptr && window == ::GetFocus();
}

void Win32Form::PressTab(bool backwards) {
    auto* next = static_cast<Win32Control*>(TabTarget(backwards));
    if (next == nullptr || !GiveFocus(*next)) return;
    // A one-line text box reached by Tab has its text selected, as in
    // dialogs; a multi-line one keeps its first lines in view.
    if (next->Design().kind == plat::ControlKind::TextBox)
        ::SendMessageA(next->Window(), EM_SETSEL, 0, -1);
}

bool Win32Form::PressEnter(HWND__* focused) {
    for (auto& c : Controls()) {
        if (static_cast<Win32Control&>(*c).Window() != focused) continue;
        const auto kind = c->Design().kind;
        if (kind != plat::ControlKind::CommandButton && kind != plat::ControlKind::GraphicalButton)
            return false;
        c->Clicked();
        return true;
    }
    return false;
}

void Win32Form::PaintLines() {
    PAINTSTRUCT ps;
    ::HDC dc = ::BeginPaint(hwnd_, &ps);
    for (auto& control : Controls()) {
        if (control->Design().kind != plat::ControlKind::Line) continue;
        auto* c = static_cast<Win32Control*>(control.get());
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
        case WM_GETMINMAXINFO: {
            // The form keeps its size on a screen smaller than it.
            const RECT r = OuterRect(plat::PixelsX(Design().clientWidth),
                                     plat::PixelsY(Design().clientHeight));
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, r.right - r.left);
            limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, r.bottom - r.top);
            return true;
        }
        case WM_CLOSE:
            // The close box or Alt+F4 unloads the form; the window stays
            // until the form is destroyed.
            Unload();
            return true;
        case WM_ENDSESSION:
            // The user logs off or the system shuts down: the form ends as
            // on a stop from outside, saving nothing.
            if (wParam) plat::host().End();
            return true;
        default:
            return false;
    }
}

}  // namespace win32
