// The saver as a display program of a screen-saver daemon: the animation
// goes into the daemon's window, the background choice may come from the
// daemon's options, and the daemon decides when the run ends.
#include <sstream>

#include "platform/host.h"
#include "shell/module1.h"
#include "shell/startup.h"

namespace Module1 {
namespace {

// The background option of the daemon's settings ("-desktop" or "-white",
// with one dash or two), as a value of "scMode"; empty when none is given.
// The last one counts.
std::string BackgroundOption(const std::string& command) {
    std::istringstream words(command);
    std::string word, mode;
    while (words >> word) {
        if (word == "-desktop" || word == "--desktop")
            mode = "1";
        else if (word == "-white" || word == "--white")
            mode = "0";
    }
    return mode;
}

}  // namespace

void RunHack() {
    // For this run only: the daemon's settings preview runs with a choice
    // the user may still cancel, and the settings file is the dialog's.
    BackgroundForRun = BackgroundOption(plat::host().Command());
    Run = RunKind::DaemonWindow;
    ShowSaverWindow();
}

}  // namespace Module1
