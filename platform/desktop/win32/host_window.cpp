// The Windows host: the saver window, the forms and the message pump.
#include "platform/desktop/win32/forms_runtime.h"
#include "platform/desktop/win32/saver_window_win32.h"
#include "platform/desktop/win32/win32_host.h"
#include "platform/saver_window.h"
#include "platform/system/win32/windows_api.h"

namespace win32 {

Win32Host::Win32Host() : plat::SystemHost(0, nullptr), forms_(std::make_unique<FormsRuntime>()) {}

Win32Host::~Win32Host() = default;

namespace {
std::exception_ptr pending;
}

void KeepPendingException(std::exception_ptr e) {
    if (!pending) pending = e;
}

void RethrowPendingException() {
    if (pending) {
        std::exception_ptr e = pending;
        pending = nullptr;
        std::rethrow_exception(e);
    }
}

std::unique_ptr<plat::SaverWindow> Win32Host::CreateSaverWindow(plat::SaverEvents& events) {
    return std::make_unique<SaverWindowWin32>(events, TwipsPerPixelX(), TwipsPerPixelY());
}

plat::FormsRuntime& Win32Host::Forms() {
    return *forms_;
}

// Delivers every message now waiting, once.
void Win32Host::DoEvents() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!forms_->PreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        RethrowPendingException();
    }
}

// Sleeps in the kernel until input or a message arrives, or the time is up.
void Win32Host::WaitForInput(std::uint32_t timeoutMs) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace win32
