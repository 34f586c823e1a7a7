// The host of the render tool: the saver draws into a headless screen of a
// given size and nothing reaches or leaves the desktop. The clock starts at
// a given time or the system's and is stepped: each wait for input moves it
// on by the time waited, so frames come as fast as they can be drawn, and
// chance follows the clock, so a run with the same start repeats exactly.
//
// LIMITATIONS: no input ever arrives; no program or document is started
// (StartProgram fails, ShellExecuteA reports "not found"); no instance is
// claimed (a saver may run beside it); message boxes are not shown: their
// text is kept as the run's error; forms are headless and never answered.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "platform/forms.h"
#include "platform/headless/headless_screen.h"
#include "platform/system/system_host.h"

namespace plat {

// Thrown by End and by the pump or wait after Stop: how a render run ends.
struct RenderEnded {};

class RenderHost : public SystemHost {
  public:
    struct Clock {
        std::uint32_t tick = 0;  // milliseconds at the start
        double timeOfDay = 0;    // seconds since midnight at the start
        bool now = false;        // start at the system's clock (still stepped)
    };
    RenderHost(std::string folder, int width, int height, const Clock& clock);
    ~RenderHost() override;

    HeadlessScreen& Screen() { return screen_; }
    std::function<void()> onPump;  // at every DoEvents, before the stop check
    void Stop() { stopped_ = true; }
    bool Stopped() const { return stopped_; }
    const std::string& Message() const { return message_; }  // the last message box

    std::uint32_t GetTickCount() override;
    double Timer() override;
    double Rnd() override;
    void Randomize() override;
    std::string AppPath() override { return folder_; }
    std::string Command() override { return ""; }
    bool PrevInstance() override { return false; }
    [[noreturn]] void End() override;
    bool StartProgram(const std::string&) override { return false; }
    std::intptr_t ShellExecuteA(HWND, const std::string&, const std::string&, const std::string&,
                                const std::string&, int) override {
        return 2;  // ERROR_FILE_NOT_FOUND
    }
    int ShowCursor(bool show) override { return cursor_ += show ? 1 : -1; }
    HWND FindWindowA(const std::string&, const std::string&) override { return 0; }
    bool SetWindowPos(HWND, HWND, int, int, int, int, std::uint32_t) override { return true; }
    bool SystemParametersInfoA(std::uint32_t, std::uint32_t, void*, std::uint32_t) override {
        return true;
    }
    bool VerifyScreenSavePwd(HWND) override { return true; }
    void MsgBox(const std::string& text, const std::string&, MsgIcon) override { message_ = text; }
    double ScreenWidth() override { return screen_.width() * kTwips; }
    double ScreenHeight() override { return screen_.height() * kTwips; }
    double TwipsPerPixelX() override { return kTwips; }
    double TwipsPerPixelY() override { return kTwips; }
    std::unique_ptr<SaverWindow> CreateSaverWindow(SaverEvents&) override;
    FormsRuntime& Forms() override { return *forms_; }
    void DoEvents() override;
    void WaitForInput(std::uint32_t timeoutMs) override;

  private:
    static constexpr double kTwips = 15;
    std::string folder_;
    HeadlessScreen screen_;
    Clock clock_;
    std::mt19937 random_{12345};
    std::unique_ptr<FormsRuntime> forms_;
    int cursor_ = 0;
    bool stopped_ = false;
    std::string message_;
};

}  // namespace plat
