// The Linux host: system services from the kernel and the C library, the
// saver window from SDL2, the desktop picture and preview windows from Xlib,
// the forms from FLTK.
#pragma once
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/host.h"
#include "platform/posix/hack_target.h"
#include "platform/posix/softgdi/softgdi.h"

namespace plat {

class SdlSaverWindow;
class X11Windows;

class PosixHost : public Host, public softgdi::WindowProvider {
public:
    PosixHost(int argc, char** argv);
    ~PosixHost() override;

    std::uint32_t GetTickCount() override;
    double Timer() override;
    double Rnd() override;
    void Randomize() override;
    int GetVersionExA(OSVERSIONINFOA* info) override;
    long RegOpenKeyExA(HKEY hive, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, HKEY* result) override;
    long RegQueryValueExA(HKEY key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* len) override;
    long RegCloseKey(HKEY key) override;
    std::string AppPath() override;
    std::string Command() override;
    char PathSeparator() override { return '/'; }
    std::string ExeSuffix() override { return ""; }
    bool PrevInstance() override;
    std::string Dir(const std::string& path) override;
    long PwdChangePasswordA(const std::string& provider, HWND parent, std::uint32_t r1,
                            std::uint32_t r2) override;
    [[noreturn]] void End() override;
    bool HackMode() override { return hack_.given; }
    int ShowCursor(bool show) override;
    HWND FindWindowA(const std::string& className, const std::string& title) override;
    bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                      std::uint32_t flags) override;
    bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param, void* pv,
                               std::uint32_t winIni) override;
    bool VerifyScreenSavePwd(HWND hwnd) override;
    bool InternetGetConnectedState(std::uint32_t* flags, std::uint32_t reserved) override;
    bool StartProgram(const std::string& path) override;
    std::intptr_t ShellExecuteA(HWND owner, const std::string& verb, const std::string& file,
                                const std::string& params, const std::string& dir,
                                int show) override;
    void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) override;
    double ScreenWidth() override;
    double ScreenHeight() override;
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    std::unique_ptr<SaverWindow> CreateSaverWindow(SaverEvents& events) override;
    FormsRuntime& Forms() override;
    void DoEvents() override;
    void WaitForInput(std::uint32_t timeoutMs) override;

    // softgdi::WindowProvider
    bool Acquire(HWND hwnd, softgdi::WindowSurface& out) override;
    void Changed(HWND hwnd, int x, int y, int width, int height) override;
    void Release(HWND hwnd) override;
    void Reading(HWND hwnd) override;

    // Called by the saver window as it comes and goes.
    void Attach(SdlSaverWindow* window) { window_ = window; }
    void Detach(SdlSaverWindow* window);

private:
    std::string command_;
    HackTarget hack_;
    std::mt19937 random_;
    int cursorCounter_ = 0;
    bool sdlVideo_ = false;
    SdlSaverWindow* window_ = nullptr;
    std::unique_ptr<X11Windows> x11_;
    std::unique_ptr<FormsRuntime> forms_;

    bool InitVideo();
    void ScreenPixels(int& width, int& height);
};

}  // namespace plat
