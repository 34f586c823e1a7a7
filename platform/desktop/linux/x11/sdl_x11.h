// X11 details of SDL windows, kept apart from our headers (Xlib's macros
// clash with ordinary names).
#pragma once
#include <SDL.h>

namespace plat {

// Asks the window manager, before the window is mapped, to show it full
// screen above everything (panels included). SDL's own full-screen request
// waits up to 100 ms for the window manager's answer; this does not wait.
void AskForFullScreen(SDL_Window* window);
// The same without full screen: only above everything.
void AskToStayAbove(SDL_Window* window);

// The X window of an SDL window, 0 when it has none.
unsigned long XWindowOf(SDL_Window* window);

// The X input focus now (a window, PointerRoot = 1, or None = 0), and
// giving it back after the saver's window goes: without a window manager X
// would leave it on None, and the keys a user types next would be lost.
unsigned long CurrentFocus(SDL_Window* window);
void GiveFocusBack(SDL_Window* window, unsigned long focus);

// Whether input may be waiting for SDL: events Xlib has queued, or bytes
// to read on the X connection. True for a window not on X (SDL then looks
// itself).
bool XInputWaiting(SDL_Window* window);

// Sleeps until bytes arrive on the X connection or timeoutMs pass, after
// sending what Xlib holds; returns at once when Xlib has events queued.
// With alsoFd (not -1) bytes there end the sleep too and set *alsoReady.
// False for a window not on X (the caller then waits through SDL).
bool XWaitForInput(SDL_Window* window, int timeoutMs, int alsoFd = -1, bool* alsoReady = nullptr);

// Takes "always above" off, so that a message box can show over it.
void LetOthersAbove(SDL_Window* window);

}  // namespace plat
