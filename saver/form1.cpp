#include "saver/form1.h"

#include "platform/host.h"

Form1::Form1() = default;

Form1::~Form1() {
    if (Module1::ActiveSaver == this) Module1::ActiveSaver = nullptr;
}

void Form1::Load() {
    window_ = plat::host().CreateSaverWindow(*this);
    Module1::ActiveSaver = this;
    Form_Load();
    // Only a failed password check after the fatal message gets here: the
    // window stays, and its input still leads to the end of the run.
    for (;;) {
        plat::host().WaitForInput(1000);
        plat::host().DoEvents();
    }
}

plat::HWND Form1::hWnd() {
    return window_ ? window_->hWnd() : 0;
}

void Form1::Show() {
    if (window_) window_->Show();
}

void Form1::Unload() {
    if (window_) window_->Close();
}

double Form1::ScaleWidth() {
    return window_ ? window_->ScaleWidth() : 0;
}
double Form1::ScaleHeight() {
    return window_ ? window_->ScaleHeight() : 0;
}
plat::HDC Form1::hDC() {
    return window_ ? window_->hDC() : 0;
}
