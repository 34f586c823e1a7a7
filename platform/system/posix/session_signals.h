// The end of a session reaches every mode the same way: SIGTERM (a logout,
// a screen-saver daemon), SIGINT (a terminal) and SIGHUP (a closed terminal
// or session) end the process at once with exit code 0, writing nothing: a
// run stopped from outside is not counted, a dialog closed from outside
// saves nothing. Settings and pictures are only ever replaced whole, so an
// end in the middle of a write leaves the old file.
#pragma once

namespace plat {

void EndOnSessionSignals();

}  // namespace plat
