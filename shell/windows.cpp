// The windows that the modes open.
#include "saver/form1.h"
#include "settings/form2.h"
#include "shell/startup.h"

namespace Module1 {

void ShowSettingsDialog() {
    static Form2 form;  // lives while the forms runtime runs
    form.Show();
}

// The run never comes back here: it ends the program from inside Load.
void ShowSaverWindow() {
    Form1 form;
    form.Load();
}

}  // namespace Module1
