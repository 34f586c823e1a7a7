// The start of a program, called by the platform's entry point once the host
// is installed. Each executable (Corvane, Tellwell) defines it.
#pragma once

void ProgramStart();
