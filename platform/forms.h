// The forms runtime: windows with controls for the settings dialog and the
// recommend form. Backends: FLTK (Linux), Win32, headless (tests).
#pragma once

namespace plat {

class FormsRuntime {
public:
    virtual ~FormsRuntime() = default;
    // Runs the message loop while a form is open.
    virtual void Run() = 0;
};

}  // namespace plat
