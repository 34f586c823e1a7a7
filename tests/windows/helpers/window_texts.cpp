// Lists what a program's window says, for the installer tests: waits for a
// visible top-level window whose caption starts with the text given, then
// writes the text of each of its controls, one a line, to the output file.
//   corvane_window_texts OUT CAPTION
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK Match(HWND win, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    char text[512] = {};
    ::GetWindowTextA(win, text, sizeof text);
    if (!::IsWindowVisible(win) ||
        std::strncmp(text, search->caption, std::strlen(search->caption)) != 0)
        return TRUE;
    search->found = win;
    return FALSE;
}

BOOL CALLBACK WriteText(HWND control, LPARAM out) {
    char text[512] = {};
    ::GetWindowTextA(control, text, sizeof text);
    if (text[0] != '\0') std::fprintf(reinterpret_cast<FILE*>(out), "%s\n", text);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Search search{argv[2], nullptr};
    for (int i = 0; i < 300 && search.found == nullptr; ++i) {
        ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) ::Sleep(100);
    }
    if (search.found == nullptr) return 4;
    FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 5;
    ::EnumChildWindows(search.found, WriteText, reinterpret_cast<LPARAM>(out));
    std::fclose(out);
    return 0;
}
