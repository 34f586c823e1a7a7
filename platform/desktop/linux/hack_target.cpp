#include "platform/desktop/linux/hack_target.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace plat {
namespace {

// A window id, decimal or 0x-hex, nothing else around it; 0 is no window.
unsigned long ParseWindowId(const char* text) {
    if (!text) return 0;
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    if (*text == '\0' || *text == '-' || *text == '+' || *text == ' ') return 0;
    errno = 0;
    char* end = nullptr;
    unsigned long id = std::strtoul(text, &end, base);
    if (errno || *end != '\0' || id > 0xFFFFFFFFul) return 0;
    return id;
}

// A daemon's option with one dash or two: "-root" and "--root" alike.
bool IsOption(const char* arg, const char* name) {
    if (arg[0] == '-' && arg[1] == '-') ++arg;
    return std::strcmp(arg, name) == 0;
}

}  // namespace

HackTarget FindHackTarget(int argc, const char* const* argv, const char* environmentWindow) {
    HackTarget t;
    bool ownSwitch = false;
    for (int i = 1; i < argc; ++i) {
        if (IsOption(argv[i], "-window-id")) {
            // A named window wins over -root, before it or after it.
            t.given = true;
            t.root = false;
            t.window = i + 1 < argc ? ParseWindowId(argv[i + 1]) : 0;
            return t;
        }
        if (IsOption(argv[i], "-root")) t.root = true;
        if (argv[i][0] == '/') ownSwitch = true;
    }
    unsigned long env = ParseWindowId(environmentWindow);
    if (env && !ownSwitch) {
        t.given = true;
        t.root = false;
        t.window = env;
        return t;
    }
    t.given = t.root;
    return t;
}

}  // namespace plat
