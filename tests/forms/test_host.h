// A host for the forms tests: headless forms, a screen of a chosen size, a
// program folder of the test's choosing, recorded shell calls, and an End()
// that throws ProgramEnded instead of ending the test process.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/headless/headless_forms.h"
#include "platform/host.h"

struct ProgramEnded {};

class TestHost : public plat::Host {
  public:
    TestHost() { plat::SetHost(this); }
    ~TestHost() override { plat::SetHost(nullptr); }

    std::unique_ptr<plat::HeadlessForms> forms = plat::CreateHeadlessForms();
    std::vector<std::string> opened;  // files handed to ShellExecuteA
    std::string appPath = ".";
    double screenWidth = 1024 * 15, screenHeight = 768 * 15;

    plat::FormsRuntime& Forms() override { return *forms; }
    std::intptr_t ShellExecuteA(plat::HWND, const std::string& verb, const std::string& file,
                                const std::string& params, const std::string& dir,
                                int show) override {
        if (!verb.empty() || !params.empty() || !dir.empty() || show != plat::SW_SHOWNORMAL)
            throw std::logic_error("unexpected ShellExecuteA arguments");
        opened.push_back(file);
        return 42;
    }
    [[noreturn]] void End() override { throw ProgramEnded{}; }
    void MsgBox(const std::string& text, const std::string& title, plat::MsgIcon icon) override {
        forms->MsgBox(text, title, icon);
    }
    double ScreenWidth() override { return screenWidth; }
    double ScreenHeight() override { return screenHeight; }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    std::string AppPath() override { return appPath; }
    char PathSeparator() override { return '/'; }
    std::string ExeSuffix() override { return ""; }

    // Nothing else is used by the forms.
    std::uint32_t GetTickCount() override { return Unused(); }
    double Timer() override { return Unused(); }
    double Rnd() override { return Unused(); }
    void Randomize() override { Unused(); }
    int GetVersionExA(plat::OSVERSIONINFOA*) override { return Unused(); }
    long RegOpenKeyExA(plat::HKEY, const std::string&, std::uint32_t, std::uint32_t,
                       plat::HKEY*) override {
        return Unused();
    }
    long RegQueryValueExA(plat::HKEY, const std::string&, std::uint32_t*, std::uint8_t*,
                          std::uint32_t*) override {
        return Unused();
    }
    long RegCloseKey(plat::HKEY) override { return Unused(); }
    std::string Command() override { return ""; }
    bool PrevInstance() override { return Unused(); }
    std::string Dir(const std::string&) override { return ""; }
    long PwdChangePasswordA(const std::string&, plat::HWND, std::uint32_t, std::uint32_t) override {
        return Unused();
    }
    int ShowCursor(bool) override { return Unused(); }
    plat::HWND FindWindowA(const std::string&, const std::string&) override { return Unused(); }
    bool SetWindowPos(plat::HWND, plat::HWND, int, int, int, int, std::uint32_t) override {
        return Unused();
    }
    bool SystemParametersInfoA(std::uint32_t, std::uint32_t, void*, std::uint32_t) override {
        return Unused();
    }
    bool VerifyScreenSavePwd(plat::HWND) override { return Unused(); }
    bool InternetGetConnectedState(std::uint32_t*, std::uint32_t) override { return Unused(); }
    bool StartProgram(const std::string&) override { return Unused(); }
    std::unique_ptr<plat::SaverWindow> CreateSaverWindow(plat::SaverEvents&) override { Unused(); }
    void DoEvents() override {}
    void WaitForInput(std::uint32_t) override {}

  private:
    [[noreturn]] static int Unused() { throw std::logic_error("not used by the forms"); }
};
