#include "platform/desktop/win32/virtual_screen.h"

#include "platform/system/win32/windows_api.h"

namespace win32 {

ScreenArea PrimaryScreen() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

ScreenArea VirtualScreen() {
    ScreenArea a{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                 ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return a.width > 0 && a.height > 0 ? a : PrimaryScreen();
}

}  // namespace win32
