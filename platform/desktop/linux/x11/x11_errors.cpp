#include "platform/desktop/linux/x11/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace plat {
namespace {

int errorsSeen = 0;

int CountError(Display*, XErrorEvent*) {
    ++errorsSeen;
    return 0;
}

int ConnectionLost(Display*) {
    std::_Exit(0);
}

}  // namespace

void TolerateXErrors() {
    XSetErrorHandler(CountError);
}

int TakeXErrors() {
    int n = errorsSeen;
    errorsSeen = 0;
    return n;
}

void InstallXConnectionLossHandler() {
    XSetIOErrorHandler(ConnectionLost);
}

}  // namespace plat
