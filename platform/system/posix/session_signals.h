// The end of a session reaches every mode the same way: SIGTERM (a logout,
// a screen-saver daemon), SIGINT (a terminal) and SIGHUP (a closed terminal
// or session) end the process at once, writing nothing: a run stopped from
// outside is not counted, a dialog closed from outside saves nothing.
// Settings and pictures are only ever replaced whole, so an end in the
// middle of a write leaves the old file.
//
// The process ends by the signal itself, not with an exit code: the parent
// (a shell, a screen-saver daemon) sees "killed by SIGTERM" (128 + N in a
// shell), the normal end of a program it stopped, where an exit code of 0
// would claim the program ended on its own.
#pragma once

namespace plat {

void EndOnSessionSignals();

}  // namespace plat
