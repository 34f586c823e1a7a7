// The process entry point on Linux: installs the host, starts the program
// and runs the forms' message loop while a form is open.
#include "platform/desktop/linux/desktop_host.h"
#include "platform/program.h"

int main(int argc, char** argv) {
    plat::DesktopHost host(argc, argv);
    plat::SetHost(&host);
    // A copy in any mode counts as running for a later saver run, so the
    // claim is taken at the start (not in a daemon's window, where the
    // daemon decides); only a saver run tests it.
    if (!host.HackMode()) host.PrevInstance();
    ProgramStart();
    host.Forms().Run();
    return 0;
}
