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
    // The window system for this session; null, with why not in why, where
    // it cannot serve it.
    std::unique_ptr<WindowSystem> (*open)(std::string& why);
    bool daemonWindows;  // draws into a screen-saver daemon's X window
    bool onlyByName;     // never chosen unless asked for
};

// Windows named by an X id (a preview's) through XWayland.
std::unique_ptr<WindowSystem> OpenWayland(std::string& why) {
    return CreateWaylandSystem(CreateX11WindowsIfThere, why);
}

std::unique_ptr<WindowSystem> OpenStub(std::string&) {
    return CreateStubSystem();
}

// One line for each window system, in the order they are tried: in a
// Wayland session Wayland, then X11 (XWayland); in an X session only X11
// is available.
constexpr Entry kSystems[] = {
    {"wayland", OpenWayland, false, false},
    {"x11", CreateX11System, true, false},
    {"stub", OpenStub, false, true},
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
        if (auto system = e.open(unavailable)) return system;
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
