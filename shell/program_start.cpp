#include "platform/program.h"
#include "shell/startup.h"

void ProgramStart() {
    Module1::Main();
}
