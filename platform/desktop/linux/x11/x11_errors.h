// How the process meets X errors. Xlib keeps one handler for the whole
// process, so every module shares these.
#pragma once

namespace plat {

// Makes X errors harmless: a foreign window may vanish between two calls,
// and Xlib's default handler would end the process. Errors are counted
// instead. Call again after SDL's video start, which installs its own.
void TolerateXErrors();

// The errors counted since the last call; starts a new count.
int TakeXErrors();

// Makes the loss of the X server end the process at once, as a stop from
// outside (Xlib's own handler would run exit handlers mid-frame).
void InstallXConnectionLossHandler();

}  // namespace plat
