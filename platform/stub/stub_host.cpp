// The template of a new backend: every function a platform must supply,
// with one line on what it does and what this stub does where a platform
// lacks it. Copy this file into system/NAME/ and desktop/NAME/, fill in what
// the platform has, and keep the stub's answer for what it has not. The
// build compiles it (corvane_stub) so that it never falls behind the
// interface; nothing links it.
//
// LIMITATIONS: everything. No clock (0), no files (the settings file reads
// as empty and writes fail), no drawing (every GDI call gives 0 or false),
// no windows, no forms, no input: a program started on it ends at once.
#include <cstdint>
#include <stdexcept>

#include "platform/files.h"
#include "platform/forms.h"
#include "platform/gdi.h"
#include "platform/gdi_probes.h"
#include "platform/saver_window.h"
#include "platform/window_pixels.h"

namespace plat {

// --- System services (platform/system/NAME/, class SystemHost) ---
class StubHost : public Host {
  public:
    std::uint32_t GetTickCount() override { return 0; }        // ms since start; wraps at 2^32
    double Timer() override { return 0; }                      // seconds since local midnight
    double Rnd() override { return 0; }                        // uniform in [0, 1)
    void Randomize() override {}                               // reseed from the clock
    int GetVersionExA(OSVERSIONINFOA*) override { return 0; }  // 0: the version is unknown
    long RegOpenKeyExA(HKEY, const std::string&, std::uint32_t, std::uint32_t, HKEY*) override {
        return ERROR_FILE_NOT_FOUND;  // no registry: every key is missing
    }
    long RegQueryValueExA(HKEY, const std::string&, std::uint32_t*, std::uint8_t*,
                          std::uint32_t*) override {
        return ERROR_FILE_NOT_FOUND;
    }
    long RegCloseKey(HKEY) override { return ERROR_FILE_NOT_FOUND; }
    std::string AppPath() override { return "."; }   // folder of the program file
    std::string Command() override { return ""; }    // the arguments as one line
    char PathSeparator() override { return '/'; }    // of the platform's paths
    std::string ExeSuffix() override { return ""; }  // of program files
    bool PrevInstance() override { return false; }   // another copy holds the claim
    std::string Dir(const std::string& p) override { return StoredName(p); }
    long PwdChangePasswordA(const std::string&, HWND, std::uint32_t, std::uint32_t) override {
        return 0;  // no password of our own to change
    }
    [[noreturn]] void End() override { throw std::runtime_error("end"); }  // exit, no unwinding
    bool InternetGetConnectedState(std::uint32_t* flags, std::uint32_t) override {
        if (flags) *flags = 0;
        return false;  // off line: Tellwell is not offered
    }
    bool StartProgram(const std::string&) override { return false; }  // detached, own window
    std::intptr_t ShellExecuteA(HWND, const std::string&, const std::string&, const std::string&,
                                const std::string&, int) override {
        return 2;  // > 32 on success; ERROR_FILE_NOT_FOUND: nothing opens documents
    }

    // --- Desktop (platform/desktop/NAME/) ---
    bool HackMode() override { return false; }   // a daemon gave us a window to draw into
    int ShowCursor(bool) override { return 0; }  // the display counter after the change
    HWND FindWindowA(const std::string&, const std::string&) override { return 0; }  // no taskbar
    bool SetWindowPos(HWND, HWND, int, int, int, int, std::uint32_t) override { return true; }
    bool SystemParametersInfoA(std::uint32_t, std::uint32_t, void*, std::uint32_t) override {
        return true;  // no screen-saver-running state to tell
    }
    bool VerifyScreenSavePwd(HWND) override { return true; }  // no password: the run may end
    void MsgBox(const std::string&, const std::string&, MsgIcon) override {}  // modal, OK only
    double ScreenWidth() override { return 0; }                               // twips
    double ScreenHeight() override { return 0; }
    double TwipsPerPixelX() override { return 15; }  // 1440 / dots per inch
    double TwipsPerPixelY() override { return 15; }
    std::unique_ptr<SaverWindow> CreateSaverWindow(SaverEvents&) override {
        return nullptr;  // full screen, a DC that reaches the screen, input in twips
    }
    FormsRuntime& Forms() override { throw std::runtime_error("no forms"); }  // forms.h
    void DoEvents() override {}                   // deliver pending input once
    void WaitForInput(std::uint32_t) override {}  // sleep until input or the time-out
};

// --- Settings file (system role; platform/profile.h) ---
// GetPrivateProfileStringA: where there are no files, every value is the
// default; WritePrivateProfileStringA: false (the callers go on).

// --- Drawing (GDI role; platform/gdi.h): the software GDI serves any
// platform whose windows are pixel buffers (window_pixels.h); only a
// platform with its own GDI supplies these. The stub has none. ---
// GetDesktopWindow, GetDC, ReleaseDC, CreateCompatibleDC,
// CreateCompatibleBitmap, SelectObject, DeleteObject, DeleteDC, GetObjectA,
// SetBkColor, SetTextColor, LoadImageA, BitBlt, LoadBitmapFromMemory,
// SaveBitmapFile; and for tests: SetWindowProvider, MoveWindowPixels,
// LiveObjects, ReadPixel, WritePixel.

// --- Files (system role; platform/files.h) ---
// StoredName, ProgramFolder, FileExists, ReadWholeFile, ReplaceFileContent.

// --- Process entry (desktop role, entry.cpp): make the host, SetHost(&host),
// ProgramStart(), host.Forms().Run(), exit 0. ---

}  // namespace plat
