// Libraries under us (SDL2 as its video starts, through libdbus) ask
// for the session's message bus. Where none runs (a bare X session, a
// test's server), libdbus "autolaunches" one: dbus-launch starts a
// dbus-daemon that detaches, is tied to the X display and outlives both our
// program and the X server. Nothing of ours needs the bus, so where there
// is none, none is started for us.
#pragma once
#include <string>

namespace plat {

// True when the environment names a session bus, or the user's runtime
// folder holds one: a connection to it reaches a running bus.
bool SessionBusRuns();

// While it lives, a library that asks for the session bus where none runs
// gets an error instead of a newly started bus. The environment is as it
// was afterwards, so programs we start meet the session as it is.
class NoBusAutolaunch {
  public:
    NoBusAutolaunch();
    ~NoBusAutolaunch();
    NoBusAutolaunch(const NoBusAutolaunch&) = delete;
    NoBusAutolaunch& operator=(const NoBusAutolaunch&) = delete;

  private:
    bool set_ = false;
};

}  // namespace plat
