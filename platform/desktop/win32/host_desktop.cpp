// The Windows desktop host: cursor, taskbar, the screen-saver state and
// password, message boxes and the screen's size.
#include "platform/desktop/win32/saver_window_win32.h"
#include "platform/desktop/win32/virtual_screen.h"
#include "platform/desktop/win32/win32_host.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/windows_api.h"

namespace win32 {

int Win32Host::ShowCursor(bool show) {
    return ::ShowCursor(show ? TRUE : FALSE);
}

plat::HWND Win32Host::FindWindowA(const std::string& className, const std::string& title) {
    return FromHandle(::FindWindowA(ToAnsi(className).c_str(), ToAnsi(title).c_str()));
}

bool Win32Host::SetWindowPos(plat::HWND hwnd, plat::HWND insertAfter, int x, int y, int cx, int cy,
                             std::uint32_t flags) {
    return ::SetWindowPos(ToHandle<::HWND>(hwnd), ToHandle<::HWND>(insertAfter), x, y, cx, cy,
                          flags) != FALSE;
}

bool Win32Host::SystemParametersInfoA(std::uint32_t action, std::uint32_t param, void* pv,
                                      std::uint32_t winIni) {
    return ::SystemParametersInfoA(action, param, pv, winIni) != FALSE;
}

// The older family checks the screen-saver password in password.cpl, which
// the loader finds in the program's folder first. Where it cannot be loaded
// (or lacks the entry) no check is possible at all: the run then ends as
// without a password, as the system's own saver library does, rather than
// leaving the user with a screen that no input can clear.
bool Win32Host::VerifyScreenSavePwd(plat::HWND hwnd) {
    using Fn = BOOL(WINAPI*)(::HWND);
    HMODULE cpl = ::LoadLibraryA("password.cpl");
    if (cpl == nullptr) return true;
    auto fn =
        reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(cpl, "VerifyScreenSavePwd")));
    const bool ok = fn == nullptr || fn(ToHandle<::HWND>(hwnd)) != FALSE;
    ::FreeLibrary(cpl);
    return ok;
}

void Win32Host::MsgBox(const std::string& text, const std::string& title, plat::MsgIcon icon) {
    UINT style = MB_OK | MB_SETFOREGROUND;
    if (icon == plat::MsgIcon::Warning) style |= MB_ICONEXCLAMATION;
    ::MessageBoxA(::GetActiveWindow(), ToAnsi(text).c_str(), ToAnsi(title).c_str(), style);
    RethrowPendingException();
}

namespace {

double TwipsPerPixel(int axis) {
    ::HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, axis);
    ::ReleaseDC(nullptr, screen);
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

}  // namespace

double Win32Host::TwipsPerPixelX() {
    return TwipsPerPixel(LOGPIXELSX);
}
double Win32Host::TwipsPerPixelY() {
    return TwipsPerPixel(LOGPIXELSY);
}
// A saver run covers every monitor; the forms centre on the primary one.
double Win32Host::ScreenWidth() {
    ScreenArea a = SaverWindowWin32::AnyOpen() ? VirtualScreen() : PrimaryScreen();
    return a.width * TwipsPerPixelX();
}
double Win32Host::ScreenHeight() {
    ScreenArea a = SaverWindowWin32::AnyOpen() ? VirtualScreen() : PrimaryScreen();
    return a.height * TwipsPerPixelY();
}

}  // namespace win32
