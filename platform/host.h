// The operating-system services of the system, behind one interface. The
// programs reach them through host(); tests install a fake whose clock,
// answers and recorded calls they control.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/handles.h"
#include "platform/held_lock.h"

namespace plat {

// The ANSI version record: size, major, minor, build, platform id, then
// 128 characters of service-pack text (148 bytes).
struct OSVERSIONINFOA {
    std::uint32_t dwOSVersionInfoSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr std::uint32_t KEY_READ = 0x20019;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_DWORD = 4;
constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_MORE_DATA = 234;

constexpr HWND HWND_TOP = 0;
constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);
constexpr std::uint32_t SWP_NOSIZE = 0x1;
constexpr std::uint32_t SWP_NOMOVE = 0x2;
constexpr std::uint32_t SWP_SHOWWINDOW = 0x40;
constexpr std::uint32_t SWP_HIDEWINDOW = 0x80;
constexpr std::uint32_t SPI_SETSCREENSAVERRUNNING = 97;
constexpr int SW_SHOWNORMAL = 1;

enum class MsgIcon { None, Warning };

class SaverWindow;
struct SaverEvents;
class FormsRuntime;

class Host {
  public:
    virtual ~Host() = default;

    // Time and chance.
    virtual std::uint32_t GetTickCount() = 0;  // milliseconds, wraps at 2^32
    virtual double Timer() = 0;                // seconds since midnight, with fraction
    virtual double Rnd() = 0;                  // uniform in [0, 1)
    virtual void Randomize() = 0;              // reseed from the clock

    // The system and the program.
    virtual int GetVersionExA(OSVERSIONINFOA* info) = 0;
    virtual long RegOpenKeyExA(HKEY hive, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, HKEY* result) = 0;
    // data may be null; len is in/out (buffer size, then data length).
    virtual long RegQueryValueExA(HKEY key, const std::string& name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* len) = 0;
    virtual long RegCloseKey(HKEY key) = 0;
    virtual std::string AppPath() = 0;    // folder of the program file
    virtual std::string Command() = 0;    // argument text of the command line
    virtual char PathSeparator() = 0;     // '\\' on Windows, '/' elsewhere
    virtual std::string ExeSuffix() = 0;  // ".exe" on Windows, "" elsewhere
    // Whether another copy of this program runs; the first caller holds the
    // claim until it ends.
    virtual bool PrevInstance() = 0;
    // The stored name of the file that path names (letter case as stored, so
    // callers can compare exactly), or "" when there is none.
    virtual std::string Dir(const std::string& path) = 0;
    // Holds off other copies that lock the same folder until the result goes
    // (plat::LockFolder); null, holding nothing, where there are no others.
    virtual std::unique_ptr<HeldLock> LockFolder(const std::string&) { return nullptr; }
    virtual long PwdChangePasswordA(const std::string& provider, HWND parent,
                                    std::uint32_t reserved1, std::uint32_t reserved2) = 0;
    // Ends the process at once, without unwinding.
    [[noreturn]] virtual void End() = 0;
    // Whether a screen-saver daemon gave this process a window to draw into
    // (on Linux: XSCREENSAVER_WINDOW, -window-id ID or -root). The saver
    // window is then made inside it, and no host without daemons has one.
    virtual bool HackMode() { return false; }

    // Desktop services.
    virtual int ShowCursor(bool show) = 0;  // returns the display counter
    virtual HWND FindWindowA(const std::string& className, const std::string& title) = 0;
    virtual bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                              std::uint32_t flags) = 0;
    virtual bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param, void* pv,
                                       std::uint32_t winIni) = 0;
    virtual bool VerifyScreenSavePwd(HWND hwnd) = 0;
    virtual bool InternetGetConnectedState(std::uint32_t* flags, std::uint32_t reserved) = 0;
    // Starts a program with no arguments, detached, in a normal window with
    // the focus; false when it cannot be started.
    virtual bool StartProgram(const std::string& path) = 0;
    // Opens a document or address with the default action; > 32 on success.
    virtual std::intptr_t ShellExecuteA(HWND owner, const std::string& verb,
                                        const std::string& file, const std::string& params,
                                        const std::string& dir, int show) = 0;
    // A modal message box with an OK button.
    virtual void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) = 0;

    // The screen, as the forms runtime gives it.
    virtual double ScreenWidth() = 0;  // twips
    virtual double ScreenHeight() = 0;
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;

    // Windows and the message pump.
    virtual std::unique_ptr<SaverWindow> CreateSaverWindow(SaverEvents& events) = 0;
    virtual FormsRuntime& Forms() = 0;
    virtual void DoEvents() = 0;  // delivers the pending events once
    // Sleeps until input arrives or timeoutMs passes; does not deliver.
    virtual void WaitForInput(std::uint32_t timeoutMs) = 0;
};

Host& host();
void SetHost(Host* h);

}  // namespace plat
