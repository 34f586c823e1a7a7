// The Windows desktop host: the system services of SystemHost, the saver
// window, the forms runtime with Windows controls, message boxes, the cursor,
// the taskbar and the screen-saver state, through user32; text in the ANSI
// code page.
//
// LIMITATIONS: a saver run's screen is the virtual screen (every monitor),
// the forms' the primary monitor; no screen-saver daemon gives a window to draw into (HackMode is
// false).
#pragma once
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "platform/system/system_host.h"

namespace win32 {

class FormsRuntime;

class Win32Host : public plat::SystemHost {
  public:
    Win32Host();
    ~Win32Host() override;

    int ShowCursor(bool show) override;
    plat::HWND FindWindowA(const std::string& className, const std::string& title) override;
    bool SetWindowPos(plat::HWND hwnd, plat::HWND insertAfter, int x, int y, int cx, int cy,
                      std::uint32_t flags) override;
    bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param, void* pv,
                               std::uint32_t winIni) override;
    bool VerifyScreenSavePwd(plat::HWND hwnd) override;
    void MsgBox(const std::string& text, const std::string& title, plat::MsgIcon icon) override;

    double ScreenWidth() override;
    double ScreenHeight() override;
    double TwipsPerPixelX() override;
    double TwipsPerPixelY() override;

    std::unique_ptr<plat::SaverWindow> CreateSaverWindow(plat::SaverEvents& events) override;
    plat::FormsRuntime& Forms() override;
    void DoEvents() override;
    void WaitForInput(std::uint32_t timeoutMs) override;

  private:
    std::unique_ptr<FormsRuntime> forms_;
};

// A window procedure cannot pass a C++ exception through the system's
// message dispatch: it keeps it here, and the pump that dispatched the
// message throws it again once DispatchMessage has returned.
void KeepPendingException(std::exception_ptr e);
void RethrowPendingException();

}  // namespace win32
