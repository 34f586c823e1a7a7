// The windows that the modes open.
#include "saver/form1.h"
#include "shell/startup.h"

namespace Module1 {

void ShowSettingsDialog() {}

void ShowSaverWindow() {
    // Never destroyed: a run ends the process from inside Load, and the
    // drawing objects must not outlive the GDI's tables at exit.
    static Form1& form = *new Form1;
    form.Load();
}

}  // namespace Module1
