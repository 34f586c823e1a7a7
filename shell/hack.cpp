// The saver as a display program of a screen-saver daemon: the animation
// goes into the daemon's window, the background choice may come from the
// daemon's options, and the daemon decides when the run ends.
#include <sstream>

#include "platform/host.h"
#include "platform/profile.h"
#include "shell/module1.h"
#include "shell/startup.h"

namespace Module1 {
namespace {

// The background option of the daemon's settings ("-desktop" or "-white"),
// as the value of "scMode"; empty when none is given. The last one counts.
std::string BackgroundOption(const std::string& command) {
    std::istringstream words(command);
    std::string word, mode;
    while (words >> word) {
        if (word == "-desktop")
            mode = "1";
        else if (word == "-white")
            mode = "0";
    }
    return mode;
}

}  // namespace

void RunHack() {
    std::string mode = BackgroundOption(plat::host().Command());
    if (!mode.empty()) {
        // Written only when it changes: the settings dialog shows the same
        // choice, and a daemon starts the saver many times.
        std::string current;
        ReadIniString("mode", "scMode", current, IniFilePath());
        if (current != mode)
            plat::WritePrivateProfileStringA("mode", "scMode", mode, IniFilePath());
    }
    Run = RunKind::DaemonWindow;
    ShowSaverWindow();
}

}  // namespace Module1
