// A host that answers only the screen questions the graphics classes ask.
#pragma once
#include <cstdlib>

#include "platform/host.h"
#include "platform/saver_window.h"

class ScreenHost : public plat::Host {
  public:
    double screenWidth = 1024 * 15, screenHeight = 768 * 15;
    double twipsX = 15, twipsY = 15;

    double ScreenWidth() override { return screenWidth; }
    double ScreenHeight() override { return screenHeight; }
    double TwipsPerPixelX() override { return twipsX; }
    double TwipsPerPixelY() override { return twipsY; }

    std::uint32_t GetTickCount() override { return 0; }
    double Timer() override { return 0; }
    double Rnd() override { return 0; }
    void Randomize() override {}
    int GetVersionExA(plat::OSVERSIONINFOA*) override { return 0; }
    long RegOpenKeyExA(plat::HKEY, const std::string&, std::uint32_t, std::uint32_t,
                       plat::HKEY*) override {
        return plat::ERROR_FILE_NOT_FOUND;
    }
    long RegQueryValueExA(plat::HKEY, const std::string&, std::uint32_t*, std::uint8_t*,
                          std::uint32_t*) override {
        return plat::ERROR_FILE_NOT_FOUND;
    }
    long RegCloseKey(plat::HKEY) override { return 0; }
    std::string AppPath() override { return "."; }
    std::string Command() override { return ""; }
    char PathSeparator() override { return '/'; }
    std::string ExeSuffix() override { return ""; }
    bool PrevInstance() override { return false; }
    std::string Dir(const std::string&) override { return ""; }
    long PwdChangePasswordA(const std::string&, plat::HWND, std::uint32_t, std::uint32_t) override {
        return 0;
    }
    [[noreturn]] void End() override { std::abort(); }
    int ShowCursor(bool) override { return 0; }
    plat::HWND FindWindowA(const std::string&, const std::string&) override { return 0; }
    bool SetWindowPos(plat::HWND, plat::HWND, int, int, int, int, std::uint32_t) override {
        return false;
    }
    bool SystemParametersInfoA(std::uint32_t, std::uint32_t, void*, std::uint32_t) override {
        return false;
    }
    bool VerifyScreenSavePwd(plat::HWND) override { return true; }
    bool InternetGetConnectedState(std::uint32_t*, std::uint32_t) override { return false; }
    bool StartProgram(const std::string&) override { return false; }
    std::intptr_t ShellExecuteA(plat::HWND, const std::string&, const std::string&,
                                const std::string&, const std::string&, int) override {
        return 0;
    }
    void MsgBox(const std::string&, const std::string&, plat::MsgIcon) override {}
    std::unique_ptr<plat::SaverWindow> CreateSaverWindow(plat::SaverEvents&) override {
        return nullptr;
    }
    plat::FormsRuntime& Forms() override { std::abort(); }
    void DoEvents() override {}
    void WaitForInput(std::uint32_t) override {}
};
