#include "platform/desktop/win32/saver_window_win32.h"

#include "platform/desktop/win32/virtual_screen.h"
#include "platform/desktop/win32/win32_host.h"
#include "platform/host.h"
#include "platform/system/win32/windows_api.h"
// clang-format off
#include <windowsx.h>  // needs windows.h first
// clang-format on

namespace win32 {
namespace {

constexpr char kClassName[] = "CorvaneSaverWindow";
int openWindows = 0;

LRESULT CALLBACK SaverProc(::HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<SaverWindowWin32*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
        try {
            if (self->Handle(message, wParam, lParam)) return 0;
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
    // A private DC: hDC stays valid for the window's life, like a form's.
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = SaverProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    // The form's background is the window-frame system colour.
    wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOWFRAME);
    wc.lpszClassName = kClassName;
    registered = ::RegisterClassExA(&wc) != 0;
}

std::int16_t ShiftState() {
    std::int16_t shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (::GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

std::int16_t Buttons(WPARAM wParam) {
    std::int16_t b = 0;
    if (wParam & MK_LBUTTON) b |= 1;
    if (wParam & MK_RBUTTON) b |= 2;
    if (wParam & MK_MBUTTON) b |= 4;
    return b;
}

}  // namespace

SaverWindowWin32::SaverWindowWin32(plat::SaverEvents& events, double twipsX, double twipsY)
    : events_(events), twipsX_(twipsX), twipsY_(twipsY) {
    RegisterOnce();
    const ScreenArea a = VirtualScreen();
    hwnd_ = ::CreateWindowExA(0, kClassName, "Form1", WS_POPUP | WS_CLIPCHILDREN, a.x, a.y, a.width,
                              a.height, nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
    if (hwnd_ != nullptr) ++openWindows;
}

bool SaverWindowWin32::AnyOpen() {
    return openWindows > 0;
}

// Over the virtual screen again (monitors or modes changed): the saver sees
// the new size and sets itself up again.
void SaverWindowWin32::CoverScreen() {
    const ScreenArea a = VirtualScreen();
    ::SetWindowPos(hwnd_, nullptr, a.x, a.y, a.width, a.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

SaverWindowWin32::~SaverWindowWin32() {
    Close();
}

plat::HWND SaverWindowWin32::hWnd() {
    return FromHandle(hwnd_);
}

plat::HDC SaverWindowWin32::hDC() {
    return hwnd_ != nullptr ? FromHandle(::GetDC(hwnd_)) : 0;
}

double SaverWindowWin32::ScaleWidth() {
    RECT r{};
    if (hwnd_ != nullptr) ::GetClientRect(hwnd_, &r);
    return (r.right - r.left) * twipsX_;
}

double SaverWindowWin32::ScaleHeight() {
    RECT r{};
    if (hwnd_ != nullptr) ::GetClientRect(hwnd_, &r);
    return (r.bottom - r.top) * twipsY_;
}

// Shows the window over the whole screen with the keyboard focus, and lets
// the first paint through before drawing starts.
void SaverWindowWin32::Show() {
    if (hwnd_ == nullptr) return;
    // Maximised means one monitor: with more the window keeps its place
    // over all of them.
    const ScreenArea v = VirtualScreen(), p = PrimaryScreen();
    const bool one = v.x == p.x && v.y == p.y && v.width == p.width && v.height == p.height;
    ::ShowWindow(hwnd_, one ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
    ::SetFocus(hwnd_);
    ::UpdateWindow(hwnd_);
    ::GdiFlush();
}

void SaverWindowWin32::Refresh() {
    if (hwnd_ == nullptr) return;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    ::UpdateWindow(hwnd_);
}

void SaverWindowWin32::Close() {
    if (hwnd_ == nullptr) return;
    ::HWND h = hwnd_;
    hwnd_ = nullptr;
    --openWindows;
    ::SetWindowLongPtrA(h, GWLP_USERDATA, 0);
    ::DestroyWindow(h);
}

bool SaverWindowWin32::Handle(unsigned message, unsigned long long wParam, long long lParam) {
    const auto x = static_cast<float>(GET_X_LPARAM(lParam) * twipsX_);
    const auto y = static_cast<float>(GET_Y_LPARAM(lParam) * twipsY_);
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            events_.Form_KeyDown(static_cast<std::int16_t>(wParam), ShiftState());
            return true;
        case WM_LBUTTONDOWN:
            events_.Form_MouseDown(1, ShiftState(), x, y);
            return true;
        case WM_RBUTTONDOWN:
            events_.Form_MouseDown(2, ShiftState(), x, y);
            return true;
        case WM_MBUTTONDOWN:
            events_.Form_MouseDown(4, ShiftState(), x, y);
            return true;
        case WM_MOUSEMOVE:
            events_.Form_MouseMove(Buttons(wParam), ShiftState(), x, y);
            return true;
        case WM_SYSCOMMAND:
            // No second saver, no power-down request while this one runs.
            return (wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER;
        case WM_DISPLAYCHANGE:
            CoverScreen();
            return false;
        case WM_CLOSE:
            // The run ends only through its input handlers.
            return true;
        case WM_ENDSESSION:
            // The user logs off or the system shuts down: a stop from
            // outside, which writes nothing and counts no run.
            if (wParam) plat::host().End();
            return true;
        default:
            return false;
    }
}

}  // namespace win32
