// Tells a program's window that the user logs off, as Windows does:
// WM_QUERYENDSESSION, then WM_ENDSESSION with "ending" set.
//   corvane_end_session CAPTION
// Exit code 0 once both were sent, 4 when there is no such window.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HWND win = ::FindWindowA(nullptr, argv[1]);
    if (win == nullptr) return 4;
    DWORD_PTR agreed = 0;
    ::SendMessageTimeoutA(win, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                          &agreed);
    std::printf("query answered %d\n", static_cast<int>(agreed));
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(win, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                          &ignored);
    return 0;
}
