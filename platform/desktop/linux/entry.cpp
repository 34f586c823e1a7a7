// The process entry point on Linux: installs the host, starts the program
// and runs the forms' message loop while a form is open.
#include "platform/desktop/linux/desktop_host.h"
#include "platform/program.h"

int main(int argc, char** argv) {
    plat::DesktopHost host(argc, argv);
    plat::SetHost(&host);
    ProgramStart();
    host.Forms().Run();
    return 0;
}
