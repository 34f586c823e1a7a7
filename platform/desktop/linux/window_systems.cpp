#include "platform/desktop/linux/window_systems.h"

#include <cstdlib>
#include <cstring>

#include "platform/desktop/linux/stub/stub_system.h"
#include "platform/desktop/linux/wayland/wayland_system.h"
#include "platform/desktop/linux/x11/x11_system.h"

namespace plat {
namespace {

struct Entry {
    const char* name;
    // Whether it can serve this session; when not, why not.
    bool (*available)(std::string& why);
    std::unique_ptr<WindowSystem> (*create)();
    bool daemonWindows;  // draws into a screen-saver daemon's X window
    bool onlyByName;     // never chosen unless asked for
};

bool StubReady(std::string&) {
    return StubAvailable();
}

bool X11Ready(std::string& why) {
    if (X11Available()) return true;
    const char* display = std::getenv("DISPLAY");
    why = std::string("cannot open the X display \"") + (display ? display : "") + "\"";
    return false;
}

// Windows named by an X id (a preview's) through XWayland.
std::unique_ptr<WindowSystem> CreateWayland() {
    return CreateWaylandSystem(CreateX11WindowsIfThere);
}

// One line for each window system, in the order they are tried: in a
// Wayland session Wayland, then X11 (XWayland); in an X session only X11
// is available.
constexpr Entry kSystems[] = {
    {"wayland", WaylandAvailable, CreateWayland, false, false},
    {"x11", X11Ready, CreateX11System, true, false},
    {"stub", StubReady, CreateStubSystem, false, true},
};

}  // namespace

std::string TakeAskedWindowSystem(int& argc, char** argv) {
    static constexpr char kOption[] = "--window-system=";
    std::string asked;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kOption, sizeof kOption - 1) == 0)
            asked = argv[i] + sizeof kOption - 1;
        else
            argv[kept++] = argv[i];
    }
    if (kept < argc) argv[kept] = nullptr;
    argc = kept;
    if (asked.empty()) {
        const char* env = std::getenv("CORVANE_DESKTOP");
        asked = env ? env : "";
    }
    return asked;
}

std::unique_ptr<WindowSystem> ChooseWindowSystem(const std::string& asked, bool daemonWindow,
                                                 std::string& why) {
    std::string names;
    for (const Entry& e : kSystems) {
        names += names.empty() ? e.name : std::string(", ") + e.name;
        if (!asked.empty() && asked != e.name) continue;
        if (asked.empty() && (e.onlyByName || (daemonWindow && !e.daemonWindows))) continue;
        std::string unavailable;
        if (e.available(unavailable))
            if (auto system = e.create()) return system;
        if (!asked.empty()) {
            why = unavailable;
            return nullptr;
        }
        // Each one tried says why not, in the table's order.
        if (!unavailable.empty()) why += (why.empty() ? "" : "; ") + unavailable;
    }
    if (!asked.empty()) why = "no window system \"" + asked + "\" (there are: " + names + ")";
    if (why.empty()) why = "no window system to show anything on";
    return nullptr;
}

}  // namespace plat
