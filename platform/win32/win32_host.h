// The Windows host: every system service of the platform layer through the
// real Windows API, text in the ANSI code page.
#pragma once
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "platform/host.h"

namespace win32 {

class FormsRuntime;

class Win32Host : public plat::Host {
  public:
    Win32Host();
    ~Win32Host() override;

    std::uint32_t GetTickCount() override;
    double Timer() override;
    double Rnd() override;
    void Randomize() override;

    int GetVersionExA(plat::OSVERSIONINFOA* info) override;
    long RegOpenKeyExA(plat::HKEY hive, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, plat::HKEY* result) override;
    long RegQueryValueExA(plat::HKEY key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* len) override;
    long RegCloseKey(plat::HKEY key) override;
    std::string AppPath() override;
    std::string Command() override;
    char PathSeparator() override { return '\\'; }
    std::string ExeSuffix() override { return ".exe"; }
    bool PrevInstance() override;
    std::string Dir(const std::string& path) override;
    long PwdChangePasswordA(const std::string& provider, plat::HWND parent, std::uint32_t reserved1,
                            std::uint32_t reserved2) override;
    [[noreturn]] void End() override;

    int ShowCursor(bool show) override;
    plat::HWND FindWindowA(const std::string& className, const std::string& title) override;
    bool SetWindowPos(plat::HWND hwnd, plat::HWND insertAfter, int x, int y, int cx, int cy,
                      std::uint32_t flags) override;
    bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param, void* pv,
                               std::uint32_t winIni) override;
    bool VerifyScreenSavePwd(plat::HWND hwnd) override;
    bool InternetGetConnectedState(std::uint32_t* flags, std::uint32_t reserved) override;
    bool StartProgram(const std::string& path) override;
    std::intptr_t ShellExecuteA(plat::HWND owner, const std::string& verb, const std::string& file,
                                const std::string& params, const std::string& dir,
                                int show) override;
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
    std::uint32_t rndSeed_ = 0x50000;  // the generator's documented start value
    void* instanceMutex_ = nullptr;
    bool prevInstanceKnown_ = false;
    bool prevInstance_ = false;
    std::unique_ptr<FormsRuntime> forms_;
};

// A window procedure cannot pass a C++ exception through the system's
// message dispatch: it keeps it here, and the pump that dispatched the
// message throws it again once DispatchMessage has returned.
void KeepPendingException(std::exception_ptr e);
void RethrowPendingException();

}  // namespace win32
