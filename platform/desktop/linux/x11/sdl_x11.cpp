#include "platform/desktop/linux/x11/sdl_x11.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <time.h>

namespace plat {
namespace {

// When the X connection was last seen with nothing to read. A frame pumps
// three times in a few hundred microseconds after its sleep found nothing;
// looking again so soon would only cost system calls, and bytes arriving
// meanwhile end the next sleep at once.
constexpr long long kQuietNs = 1000000;
long long quietSince = -kQuietNs;
// The connection's next request number when it was last flushed.
unsigned long flushedBefore = 0;

long long NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Whether bytes wait on the connection, after `timeoutMs` at most; with
// alsoFd (not -1) the wait ends on bytes there too, told in *alsoReady.
bool Readable(Display* dpy, int timeoutMs, int alsoFd = -1, bool* alsoReady = nullptr) {
    pollfd p[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {alsoFd, POLLIN, 0}};
    const int n = ::poll(p, alsoFd < 0 ? 1 : 2, timeoutMs);
    if (alsoReady && n > 0 && p[1].revents) *alsoReady = true;
    if (n != 0 && (n < 0 || p[0].revents)) return true;
    quietSince = NowNs();
    return false;
}

// The X display and window of an SDL window; false when it has none.
bool X11Of(SDL_Window* window, Display*& dpy, Window& id) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    dpy = info.info.x11.display;
    id = info.info.x11.window;
    return true;
}

// Sets the window's _NET_WM_STATE before it is mapped.
void AskForState(SDL_Window* window, bool fullScreen) {
    Display* dpy;
    Window id;
    if (!X11Of(window, dpy, id)) return;
    Atom state = XInternAtom(dpy, "_NET_WM_STATE", False);
    Atom values[] = {XInternAtom(dpy, "_NET_WM_STATE_ABOVE", False),
                     XInternAtom(dpy, "_NET_WM_STATE_FULLSCREEN", False)};
    XChangeProperty(dpy, id, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(values), fullScreen ? 2 : 1);
}

}  // namespace

void AskForFullScreen(SDL_Window* window) {
    AskForState(window, true);
}

void AskToStayAbove(SDL_Window* window) {
    AskForState(window, false);
}

unsigned long XWindowOf(SDL_Window* window) {
    Display* dpy;
    Window id;
    return X11Of(window, dpy, id) ? id : 0;
}

unsigned long CurrentFocus(SDL_Window* window) {
    Display* dpy;
    Window id;
    if (!X11Of(window, dpy, id)) return None;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(dpy, &focus, &revert);
    return focus == id ? None : focus;
}

void GiveFocusBack(SDL_Window* window, unsigned long focus) {
    Display* dpy;
    Window id;
    if (focus == None || !X11Of(window, dpy, id)) return;
    if (focus != PointerRoot) {
        XWindowAttributes a{};  // the window may have gone meanwhile
        if (!XGetWindowAttributes(dpy, focus, &a) || a.map_state != IsViewable) focus = PointerRoot;
    }
    XSetInputFocus(dpy, focus, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
}

bool XInputWaiting(SDL_Window* window) {
    Display* dpy;
    Window id;
    if (!X11Of(window, dpy, id)) return true;
    if (XEventsQueued(dpy, QueuedAlready) > 0) return true;
    return NowNs() - quietSince >= kQuietNs && Readable(dpy, 0);
}

// Xlib's flush also reads the connection. With no request made since the
// last one here there is nothing to send, and since the pump reads all
// that arrives, Xlib's queue is all there is to look at before sleeping.
bool XWaitForInput(SDL_Window* window, int timeoutMs, int alsoFd, bool* alsoReady) {
    Display* dpy;
    Window id;
    if (!X11Of(window, dpy, id)) return false;
    const bool nothingNew = NextRequest(dpy) == flushedBefore;
    const int queued = XEventsQueued(dpy, nothingNew ? QueuedAlready : QueuedAfterFlush);
    flushedBefore = NextRequest(dpy);
    if (queued > 0) return true;
    Readable(dpy, timeoutMs, alsoFd, alsoReady);
    return true;
}

void LetOthersAbove(SDL_Window* window) {
    if (window) SDL_SetWindowAlwaysOnTop(window, SDL_FALSE);
}

}  // namespace plat
