// The windows that the modes open.
#include "saver/form1.h"
#include "shell/startup.h"

namespace Module1 {

void ShowSettingsDialog() {}

void ShowSaverWindow() {
    static Form1 form;
    form.Load();
}

}  // namespace Module1
