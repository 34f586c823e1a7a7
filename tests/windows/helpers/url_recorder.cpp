// A stand-in web browser for the process tests: registered as the http
// handler of the Wine prefix, it appends the URL it is given to
// opened-urls.txt beside it and ends.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log(path);
    log = log.substr(0, log.find_last_of('\\') + 1) + "opened-urls.txt";
    // The argument text after the program's (quoted) name.
    const char* p = ::GetCommandLineA();
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {
        }
        if (*p) ++p;
    } else {
        while (*p && *p != ' ') ++p;
    }
    while (*p == ' ') ++p;
    std::string url(p);
    if (url.size() >= 2 && url.front() == '"' && url.back() == '"')
        url = url.substr(1, url.size() - 2);
    std::ofstream(log, std::ios::app) << url << "\n";
    return 0;
}
