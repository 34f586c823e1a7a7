#include "platform/desktop/linux/sdl/sdl_x11.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace plat {

void AskForFullScreen(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* dpy = info.info.x11.display;
    Atom state = XInternAtom(dpy, "_NET_WM_STATE", False);
    Atom values[] = {XInternAtom(dpy, "_NET_WM_STATE_FULLSCREEN", False),
                     XInternAtom(dpy, "_NET_WM_STATE_ABOVE", False)};
    XChangeProperty(dpy, info.info.x11.window, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(values), 2);
}

unsigned long XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

unsigned long CurrentFocus(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(info.info.x11.display, &focus, &revert);
    return focus == info.info.x11.window ? None : focus;
}

void GiveFocusBack(SDL_Window* window, unsigned long focus) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (focus == None || !window || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11)
        return;
    Display* dpy = info.info.x11.display;
    if (focus != PointerRoot) {
        XWindowAttributes a{};  // the window may have gone meanwhile
        if (!XGetWindowAttributes(dpy, focus, &a) || a.map_state != IsViewable) focus = PointerRoot;
    }
    XSetInputFocus(dpy, focus, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
}

void LetOthersAbove(SDL_Window* window) {
    if (window) SDL_SetWindowAlwaysOnTop(window, SDL_FALSE);
}

}  // namespace plat
