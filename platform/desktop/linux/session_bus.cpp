#include "platform/desktop/linux/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>

namespace plat {
namespace {

constexpr const char* kAddress = "DBUS_SESSION_BUS_ADDRESS";

}  // namespace

bool SessionBusRuns() {
    const char* address = std::getenv(kAddress);
    if (address && *address) return true;
    // libdbus's own fallback before autolaunch: $XDG_RUNTIME_DIR/bus.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    struct stat st {};
    return ::stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// An address of a kind libdbus does not know: connecting fails at once,
// without starting anything.
NoBusAutolaunch::NoBusAutolaunch() {
    if (SessionBusRuns()) return;
    set_ = ::setenv(kAddress, "disabled:", 1) == 0;
}

NoBusAutolaunch::~NoBusAutolaunch() {
    if (set_) ::unsetenv(kAddress);
}

}  // namespace plat
