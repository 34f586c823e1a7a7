// Tellwell's start: the recommend form is the program's only window.
#include "platform/program.h"
#include "tellwell/frm_email.h"

void ProgramStart() {
    static FrmEmail form;
    form.Show();
}
