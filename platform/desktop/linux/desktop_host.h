// The Linux desktop host: the system services of SystemHost, the window
// system chosen at start (window_systems.h: the saver window, the screen,
// the desktop picture, preview windows), the forms and message boxes from
// FLTK.
//
// LIMITATIONS: no taskbar, no topmost order and no screen-saver-running
// state to set (FindWindowA gives 0, SetWindowPos and SystemParametersInfoA
// do nothing and succeed): a screen-saver daemon owns those on Linux; no
// password check (VerifyScreenSavePwd always accepts: the session's locker
// guards the session); a saver run covers the whole screen, the forms
// centre on the primary monitor; twips are 15 to a pixel on both axes; the
// forms need an X display (XWayland in a Wayland session).
#pragma once
#include <memory>
#include <string>

#include "platform/desktop/linux/desktop_windows.h"
#include "platform/desktop/linux/frame_window.h"
#include "platform/desktop/linux/hack_target.h"
#include "platform/desktop/linux/window_system.h"
#include "platform/forms.h"
#include "platform/saver_window.h"
#include "platform/system/system_host.h"

namespace plat {

class DesktopHost : public SystemHost {
  public:
    // asked: the window system asked for by name ("" for the first one
    // available; see window_systems.h).
    DesktopHost(int argc, char** argv, const std::string& asked);
    ~DesktopHost() override;

    bool HackMode() override { return hack_.given; }
    int ShowCursor(bool show) override;
    HWND FindWindowA(const std::string& className, const std::string& title) override;
    bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                      std::uint32_t flags) override;
    bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param, void* pv,
                               std::uint32_t winIni) override;
    bool VerifyScreenSavePwd(HWND hwnd) override;
    void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) override;
    double ScreenWidth() override;
    double ScreenHeight() override;
    double TwipsPerPixelX() override { return FrameWindow::kTwipsPerPixel; }
    double TwipsPerPixelY() override { return FrameWindow::kTwipsPerPixel; }
    std::unique_ptr<SaverWindow> CreateSaverWindow(SaverEvents& events) override;
    FormsRuntime& Forms() override;
    void DoEvents() override;
    void WaitForInput(std::uint32_t timeoutMs) override;

  private:
    HackTarget hack_;
    int cursorCounter_ = 0;
    std::unique_ptr<WindowSystem> system_;
    std::unique_ptr<DesktopWindows> windows_;
    std::unique_ptr<FormsRuntime> forms_;

    static std::unique_ptr<WindowSystem> ChooseOrEnd(const std::string& asked, bool daemonWindow);
    void ScreenPixels(int& width, int& height);
};

}  // namespace plat
