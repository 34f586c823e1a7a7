#include "platform/win32/forms_runtime.h"

#include "platform/win32/win32_host.h"
#include "platform/win32/windows_api.h"

namespace win32 {

void FormsRuntime::Run() {
    MSG msg;
    while (openForms_ > 0 && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        RethrowPendingException();
    }
}

bool FormsRuntime::PreTranslate(tagMSG* msg) {
    if (openForms_ == 0) return false;
    ::HWND top = ::GetAncestor(msg->hwnd, GA_ROOT);
    return top != nullptr && ::IsDialogMessageA(top, msg);
}

}  // namespace win32
