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
}

plat::HWND Form1::hWnd() { return window_ ? window_->hWnd() : 0; }

void Form1::Show() {
    if (window_) window_->Show();
}

void Form1::Unload() {
    if (window_) window_->Close();
}

void Form1::Form_Load() {
    if (window_) window_->Show();
    RunAnimation();
}

void Form1::RunAnimation() {
    for (;;) {
        auto target = static_cast<std::int32_t>(plat::host().GetTickCount() + 50u);
        Module1::WaitUntilTick(target);
    }
}
