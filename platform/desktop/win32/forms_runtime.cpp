#include "platform/desktop/win32/forms_runtime.h"

#include "platform/desktop/win32/win32_form.h"
#include "platform/desktop/win32/win32_host.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/windows_api.h"

namespace win32 {

std::unique_ptr<plat::Form> FormsRuntime::CreateForm(const plat::FormDesign& design) {
    return std::make_unique<Win32Form>(*this, design);
}

void FormsRuntime::MsgBox(const std::string& text, const std::string& title, plat::MsgIcon icon) {
    UINT style = MB_OK | MB_SETFOREGROUND | MB_TASKMODAL;
    if (icon == plat::MsgIcon::Warning) style |= MB_ICONEXCLAMATION;
    ::MessageBoxA(::GetActiveWindow(), ToAnsi(text).c_str(), ToAnsi(title).c_str(), style);
    RethrowPendingException();
}

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
    if (openForms_ == 0 || msg->message != WM_KEYDOWN) return false;
    const WPARAM key = msg->wParam;
    const bool arrow = key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
    if (key != VK_TAB && key != VK_RETURN && !arrow) return false;
    Win32Form* form = Win32Form::Of(::GetAncestor(msg->hwnd, GA_ROOT));
    if (form == nullptr) return false;
    if (arrow) {
        if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
        return form->PressArrow(key == VK_DOWN || key == VK_RIGHT);
    }
    if (key == VK_TAB) {
        if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
        form->PressTab(::GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return form->PressEnter(msg->hwnd);
}

}  // namespace win32
