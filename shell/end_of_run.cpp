// The end of a saver run: input counting, the password check, giving the
// system back what the run took, counting the run and starting Tellwell.
#include <cstdint>

#include "common/site.h"
#include "common/vbmath.h"
#include "platform/host.h"
#include "platform/profile.h"
#include "shell/module1.h"

namespace Module1 {
namespace {

// The loops below stop early should a platform's counter never get there.
constexpr int kMaxCursorCalls = 10000;

bool PasswordCheckNeeded() {
    return PlatformId != 2 && UsePassword != 0;
}

plat::HWND SaverWnd() {
    return ActiveSaver ? ActiveSaver->hWnd() : 0;
}

}  // namespace

void HideCursorFully() {
    for (int i = 0; i < kMaxCursorCalls && plat::host().ShowCursor(false) >= -5; ++i) {
    }
}

void ShowCursorFully() {
    for (int i = 0; i < kMaxCursorCalls && plat::host().ShowCursor(true) < 6; ++i) {
    }
}

std::string MissingFilesMessage() {
    return std::string(
               "One or more files are missing from application. Please download and "
               "re-install the software from ") +
           kMakerSite;
}

void EndSaver() {
    auto& h = plat::host();
    if (!UserRun()) {
        // The daemon (or nobody) owns the cursor, the session and the
        // window's fate: only our window goes, and the run is not counted.
        if (ActiveSaver) {
            SaverForm* form = ActiveSaver;
            ActiveSaver = nullptr;
            form->Unload();
        }
        h.End();
    }
    ShowCursorFully();
    if (PasswordCheckNeeded()) {
        if (!h.VerifyScreenSavePwd(SaverWnd())) {
            HideCursorFully();
            if (ActiveSaver) ActiveSaver->Show();
            return;
        }
        std::int32_t zero = 0;
        h.SystemParametersInfoA(plat::SPI_SETSCREENSAVERRUNNING, 0, &zero, 0);
        h.SetWindowPos(SaverWnd(), plat::HWND_NOTOPMOST, 0, 0, 0, 0,
                       plat::SWP_NOMOVE | plat::SWP_NOSIZE);
    }
    TaskbarWnd = h.FindWindowA("Shell_traywnd", "");
    h.SetWindowPos(TaskbarWnd, plat::HWND_TOP, 0, 0, 0, 0, plat::SWP_SHOWWINDOW);
    if (ActiveSaver) {
        SaverForm* form = ActiveSaver;
        ActiveSaver = nullptr;
        form->Unload();
    }
    if (CheckRecommendCounter() && IsOnline()) {
        // Written whether or not the start worked: the form is offered once.
        h.StartProgram(TellwellPath());
        plat::WritePrivateProfileStringA("applic", "appdisplay", "0", IniFilePath());
    }
    h.End();
}

void CountMouseMove() {
    if (MoveCount < INT16_MAX) ++MoveCount;
    if (MoveCount == 5) {
        EndSaver();
        return;
    }
    double now = plat::host().Timer();
    if (MoveWindowStart == 0) {
        MoveWindowStart = CInt32(now);
        return;
    }
    if (now - MoveWindowStart > 2.0) {
        MoveWindowStart = 0;
        MoveCount = 0;
    }
}

void ShowFatalMessage(const std::string& message) {
    if (UserRun()) {
        plat::host().SetWindowPos(SaverWnd(), plat::HWND_NOTOPMOST, 0, 0, 0, 0,
                                  plat::SWP_NOMOVE | plat::SWP_NOSIZE);
        ShowCursorFully();
    }
    plat::host().MsgBox(message, kProgramTitle, plat::MsgIcon::Warning);
    EndSaver();
}

void WaitUntilTick(std::int32_t& target) {
    auto& h = plat::host();
    h.DoEvents();
    for (;;) {
        // Unsigned difference read as signed: right across the 32-bit wrap.
        auto left =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(target) - h.GetTickCount());
        if (left <= 0) return;
        h.WaitForInput(static_cast<std::uint32_t>(left));
        h.DoEvents();
    }
}

bool IsOnline() {
    std::uint32_t flags = 0;
    return plat::host().InternetGetConnectedState(&flags, 0);
}

}  // namespace Module1
