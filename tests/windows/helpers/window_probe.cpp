// Measures a program's window for the process tests: starts the program
// given (in the probe's own desktop, so it sees the same screen), waits for a
// visible top-level window with the caption given, writes
//   screen WxH window LEFT,TOP WxH client WxH
// to the output file, then closes the window.
//   corvane_window_probe OUT CAPTION PROGRAM
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(argv[3], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 3;
    HWND win = nullptr;
    for (int i = 0; i < 300 && win == nullptr; ++i) {
        ::Sleep(100);
        win = ::FindWindowA(nullptr, argv[2]);
        if (win != nullptr && !::IsWindowVisible(win)) win = nullptr;
    }
    if (win == nullptr) {
        ::TerminateProcess(pi.hProcess, 1);
        return 4;
    }
    ::Sleep(500);
    RECT w{}, c{};
    ::GetWindowRect(win, &w);
    ::GetClientRect(win, &c);
    FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 5;
    std::fprintf(out, "screen %dx%d window %ld,%ld %ldx%ld client %ldx%ld\n",
                 ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), w.left, w.top,
                 w.right - w.left, w.bottom - w.top, c.right - c.left, c.bottom - c.top);
    std::fclose(out);
    ::PostMessageA(win, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    return 0;
}
