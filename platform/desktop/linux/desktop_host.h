// The Linux desktop host: the system services of SystemHost, the saver
// window from SDL2, the desktop picture and preview windows from Xlib, the
// forms and message boxes from FLTK.
//
// LIMITATIONS: no taskbar, no topmost order and no screen-saver-running
// state to set (FindWindowA gives 0, SetWindowPos and SystemParametersInfoA
// do nothing and succeed): a screen-saver daemon owns those on Linux; no
// password check (VerifyScreenSavePwd always accepts: the session's locker
// guards the session); a saver run covers the whole X screen, the forms
// centre on SDL's first display; twips are 15 to a pixel on both axes.
#pragma once
#include <memory>
#include <string>

#include "platform/desktop/linux/desktop_windows.h"
#include "platform/desktop/linux/hack_target.h"
#include "platform/forms.h"
#include "platform/saver_window.h"
#include "platform/system/system_host.h"

namespace plat {

class SdlSaverWindow;

class DesktopHost : public SystemHost {
  public:
    DesktopHost(int argc, char** argv);
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
    double TwipsPerPixelX() override { return kTwipsPerPixel; }
    double TwipsPerPixelY() override { return kTwipsPerPixel; }
    std::unique_ptr<SaverWindow> CreateSaverWindow(SaverEvents& events) override;
    FormsRuntime& Forms() override;
    void DoEvents() override;
    void WaitForInput(std::uint32_t timeoutMs) override;

    static constexpr double kTwipsPerPixel = 15;

  private:
    HackTarget hack_;
    int cursorCounter_ = 0;
    bool sdlVideo_ = false;
    DesktopWindows windows_;
    std::unique_ptr<FormsRuntime> forms_;

    void EndWithoutDisplay();
    bool InitVideo();
    void ScreenPixels(int& width, int& height);
    std::unique_ptr<SaverWindow> EndUnlessItCanDraw(std::unique_ptr<SdlSaverWindow> window);
};

}  // namespace plat
