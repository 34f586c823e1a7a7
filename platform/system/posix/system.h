// Linux stand-ins for the system services that need no window: clock,
// paths, the instance lock, starting programs, the connection test.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace posixsys {

std::uint32_t TickCount();      // milliseconds since an arbitrary start, wraps
double SecondsSinceMidnight();  // local time, with fraction
std::string ProgramFile();      // the running program's file, or ""
std::string ProgramFileName();  // its name, without the folder

// Takes a lock file for name, this user and this X display (in
// $XDG_RUNTIME_DIR, else a private folder of this user's in the temp
// folder) with flock for the rest of the process's life; false when another
// process holds it. The kernel frees it when the process dies.
bool ClaimInstance(const std::string& name);

// Whether path names a regular file (a link is followed).
bool IsRegularFile(const std::string& path);

// Writes content to a new file at path unless something is there already,
// in one step (a file beside it, linked into place), so that nobody sees a
// half-written file and a file another process made meanwhile stays. True
// when something is at path afterwards.
bool CreateFileOnce(const std::string& path, const std::string& content);

// Starts path with args, detached in a session of its own, without waiting;
// false when it cannot be started (missing, not executable).
bool SpawnDetached(const std::string& path, const std::vector<std::string>& args);

// True when a non-loopback interface is up and has an address.
bool HasNetworkInterface();

}  // namespace posixsys
