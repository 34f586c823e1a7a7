#include "platform/program.h"

// The recommend form arrives with the forms runtime.
void ProgramStart() {}
