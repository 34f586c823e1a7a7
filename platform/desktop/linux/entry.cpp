// The process entry point on Linux: installs the host, starts the program
// and runs the forms' message loop while a form is open.
#include <malloc.h>

#include <string>

#include "platform/desktop/linux/desktop_host.h"
#include "platform/desktop/linux/window_systems.h"
#include "platform/program.h"

int main(int argc, char** argv) {
    // Blocks of a megabyte or more get pages of their own, given back the
    // moment they are freed. Left to itself glibc raises this threshold
    // after the first such free, up to 32 MiB, so that the screen-sized
    // pictures of the set-up (capture, file, tile) would stay resident in
    // the heap for the whole run after their use.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    const std::string asked = plat::TakeAskedWindowSystem(argc, argv);
    plat::DesktopHost host(argc, argv, asked);
    plat::SetHost(&host);
    // A copy in any mode counts as running for a later saver run, so the
    // claim is taken at the start (not in a daemon's window, where the
    // daemon decides); only a saver run tests it.
    if (!host.HackMode()) host.PrevInstance();
    ProgramStart();
    host.Forms().Run();
    return 0;
}
