// A host for tests and rendering without a display: its clock moves only
// when told, its answers are set by the test, and it records the calls that
// change the system. End() throws ProgramEnded instead of ending the process.
//
// LIMITATIONS: no real system service at all but the file names of Dir:
// the registry, the instance claim, starting programs and opening documents
// are answered from the fields below and recorded; windows and forms are
// the headless ones a test installs.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/forms.h"
#include "platform/host.h"
#include "platform/saver_window.h"

namespace plat {

// Thrown by FakeHost::End; never derived from the system's run-time errors,
// so no handler that ignores errors can swallow it.
struct ProgramEnded {};

// Thrown by FakeHost::WaitForInput once the clock reaches stopAt: how a test
// or the render tool stops a run that would go on for ever.
struct StopRun {};

class FakeHost : public Host {
  public:
    FakeHost();
    ~FakeHost() override;

    // --- What the test sets ---
    std::uint32_t tick = 1000;
    double timeOfDay = 12 * 3600.0;  // seconds since midnight
    std::deque<double> rndValues;    // returned first by Rnd, then a seeded generator
    bool versionFails = false;
    std::uint32_t platformId = 2;
    std::string appPath = ".";
    std::string command;
    bool otherInstance = false;
    bool hackMode = false;  // as if a screen-saver daemon gave a window
    bool passwordAccepted = true;
    bool online = true;
    bool startSucceeds = true;
    std::intptr_t shellResult = 42;
    HWND taskbar = 0x2222;
    int screenWidthPx = 1024;
    int screenHeightPx = 768;
    double twipsPerPixel = 15;
    // Set to give the screen in twips, or a twips-per-pixel per axis, that
    // the pixel sizes above do not give.
    std::optional<double> screenWidthTwips, screenHeightTwips, twipsX, twipsY;
    // Called on every DoEvents, before events are delivered (a test can
    // advance the clock here to make frames slow, or push input).
    std::function<void()> onPump;
    std::optional<std::uint32_t> stopAt;

    void SetRegistryString(HKEY hive, const std::string& path, const std::string& name,
                           const std::string& value);
    void SetRegistryDword(HKEY hive, const std::string& path, const std::string& name,
                          std::uint32_t value);

    // Moves the clock (tick count and time of day) on.
    void Advance(std::uint32_t ms);

    // Input for the saver window, delivered by the first DoEvents at or
    // after tick `at` (0: the next one).
    void PushKey(std::uint32_t at = 0);
    void PushClick(std::uint32_t at = 0);
    void PushMouseMove(float xTwips, float yTwips, std::uint32_t at = 0);

    // --- What the test reads ---
    int cursorCounter = 0;
    std::vector<std::string> calls;     // e.g. "SetWindowPos 4096 -1 3"
    std::vector<std::string> messages;  // "title|text"
    std::vector<std::string> started;   // programs started
    std::vector<std::string> opened;    // ShellExecuteA files
    int pumps = 0;
    std::uint64_t waitedMs = 0;  // time spent in WaitForInput
    bool HasCall(const std::string& prefix) const;

    // Installs a saver-window factory (the headless window) and a forms
    // runtime.
    std::function<std::unique_ptr<SaverWindow>(SaverEvents&)> windowFactory;
    std::unique_ptr<FormsRuntime> forms;

    // Host
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
    char PathSeparator() override;
    std::string ExeSuffix() override;
    bool PrevInstance() override;
    std::string Dir(const std::string& path) override;
    long PwdChangePasswordA(const std::string& provider, HWND parent, std::uint32_t r1,
                            std::uint32_t r2) override;
    [[noreturn]] void End() override;
    bool HackMode() override { return hackMode; }
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
    double TwipsPerPixelX() override;
    double TwipsPerPixelY() override;
    std::unique_ptr<SaverWindow> CreateSaverWindow(SaverEvents& events) override;
    FormsRuntime& Forms() override;
    void DoEvents() override;
    void WaitForInput(std::uint32_t timeoutMs) override;

    SaverEvents* events = nullptr;  // the saver window's handlers, once created

  private:
    struct Input {
        enum Kind { Key, Click, Move } kind;
        float x, y;
        std::uint32_t at;
    };
    std::deque<Input> inputs_;
    std::map<std::tuple<HKEY, std::string, std::string>, std::pair<std::uint32_t, std::string>>
        registry_;
    std::map<HKEY, std::string> openKeys_;
    HKEY nextKey_ = 0x100;
    std::mt19937 random_;
    bool instanceClaimed_ = false;

    bool Due(const Input& in) const;
};

}  // namespace plat
