// Form1: the saver's full-screen window. Loading it sets the run up and runs
// the frame loop until the run ends.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/saver_window.h"
#include "shell/module1.h"

class Form1 : public Module1::SaverForm, public plat::SaverEvents {
public:
    Form1();
    ~Form1() override;

    // Creates the window and runs Form_Load, which does not return while
    // the saver runs.
    void Load();

    // Module1::SaverForm
    plat::HWND hWnd() override;
    void Show() override;
    void Unload() override;

    // Input handlers.
    void Form_KeyDown(std::int16_t keyCode, std::int16_t shift) override;
    void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;

private:
    std::unique_ptr<plat::SaverWindow> window_;
    // The pointer position of the previous move, in twips (32-bit, so any
    // screen size fits).
    std::int32_t iLastX_ = 0;
    std::int32_t iLastY_ = 0;
    bool loaded_ = false;

    void Form_Load();
    void RunAnimation();
};
