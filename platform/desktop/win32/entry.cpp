// The process entry point on Windows: installs the host, starts the program
// and runs the forms' message loop while a form is open.

#include "platform/desktop/win32/forms_runtime.h"
#include "platform/desktop/win32/win32_host.h"
#include "platform/host.h"
#include "platform/program.h"
#include "platform/system/win32/windows_api.h"
// clang-format off
#include <commctrl.h>  // needs windows.h first
// clang-format on

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    static win32::Win32Host host;
    plat::SetHost(&host);
    // A copy in any mode counts as running for a later saver run, so the
    // claim is taken at the start (not in a daemon's window, where the
    // daemon decides); only a saver run tests it.
    if (!host.HackMode()) host.PrevInstance();
    ProgramStart();
    host.Forms().Run();
    ::ExitProcess(0);
}
