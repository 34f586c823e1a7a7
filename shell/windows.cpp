// The windows that the modes open.
#include "saver/form1.h"
#include "shell/startup.h"

namespace Module1 {

void ShowSettingsDialog() {}

// The run never comes back here: it ends the program from inside Load.
void ShowSaverWindow() {
    Form1 form;
    form.Load();
}

}  // namespace Module1
