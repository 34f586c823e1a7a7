// Moves and clicks through a virtual pointer (wlroots' protocol), for tests
// on a headless compositor, whose seat has no pointer of its own.
// Usage: virtual_pointer WIDTHxHEIGHT ACTION...
//   move X Y   pointer to (X, Y) of the layout, WIDTHxHEIGHT in all
//   click      left button pressed and released
//   sleep MS
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

zwlr_virtual_pointer_manager_v1* manager = nullptr;

void Global(void*, wl_registry* r, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(r, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}

uint32_t Now() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

int main(int argc, char** argv) {
    unsigned w = 0, h = 0;
    if (argc < 2 || std::sscanf(argv[1], "%ux%u", &w, &h) != 2) {
        std::fprintf(stderr, "usage: %s WIDTHxHEIGHT ACTION...\n", argv[0]);
        return 2;
    }
    wl_display* dpy = wl_display_connect(nullptr);
    if (!dpy) return 3;
    static const wl_registry_listener listener = {Global, GlobalRemove};
    wl_registry* registry = wl_display_get_registry(dpy);
    wl_registry_add_listener(registry, &listener, nullptr);
    wl_display_roundtrip(dpy);
    if (!manager) return 4;
    zwlr_virtual_pointer_v1* p =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, nullptr);
    wl_display_roundtrip(dpy);
    Sleep(300);  // clients bind the new pointer before it moves
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "move" && i + 2 < argc) {
            zwlr_virtual_pointer_v1_motion_absolute(p, Now(), std::atoi(argv[i + 1]),
                                                    std::atoi(argv[i + 2]), w, h);
            i += 2;
        } else if (a == "click") {
            zwlr_virtual_pointer_v1_button(p, Now(), BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(p);
            zwlr_virtual_pointer_v1_button(p, Now(), BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (a == "sleep" && i + 1 < argc) {
            wl_display_flush(dpy);
            Sleep(std::atoi(argv[++i]));
            continue;
        } else {
            std::fprintf(stderr, "unknown action %s\n", a.c_str());
            return 2;
        }
        zwlr_virtual_pointer_v1_frame(p);
        wl_display_roundtrip(dpy);
    }
    Sleep(200);
    zwlr_virtual_pointer_v1_destroy(p);
    wl_display_roundtrip(dpy);
    wl_proxy_destroy(reinterpret_cast<wl_proxy*>(manager));
    wl_registry_destroy(registry);
    wl_display_disconnect(dpy);
    return 0;
}
