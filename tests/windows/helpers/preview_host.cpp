// Plays the Display control panel's part for the preview test: opens a
// borderless window at the top-left of the screen, starts the saver with
// "/p <window number>", waits for it to end and keeps the window up a
// moment so a screenshot can be taken.
//   preview_host.exe SAVER [SECONDS_TO_STAY]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_ERASEBKGND) return 1;  // keep whatever was drawn
    return ::DefWindowProcA(h, m, w, l);
}

void Pump(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "PreviewHost";
    ::RegisterClassA(&wc);
    HWND w = ::CreateWindowExA(WS_EX_TOPMOST, "PreviewHost", "preview", WS_POPUP | WS_VISIBLE, 0, 0,
                               200, 150, nullptr, nullptr, wc.hInstance, nullptr);
    RECT all{0, 0, 200, 150};
    HDC dc = ::GetDC(w);
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(w, dc);
    Pump(500);
    std::string cmd = "\"" + std::string(argv[1]) + "\" /p " +
                      std::to_string(static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(w)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        std::printf("preview host: cannot start %s\n", cmd.c_str());
        return 1;
    }
    while (::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 20000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1)
        Pump(10);
    DWORD code = 0;
    ::GetExitCodeProcess(pi.hProcess, &code);
    std::printf("preview host: window %u, saver exit %lu\n",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(w)), code);
    std::fflush(stdout);
    Pump(static_cast<DWORD>(1000 * (argc > 2 ? std::atoi(argv[2]) : 3)));
    return 0;
}
