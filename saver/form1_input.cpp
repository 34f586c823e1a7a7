// Input on the saver window: a key or a button ends the run, significant
// mouse moves are counted. Inside a screen-saver daemon's window (or a run
// nobody watches) input changes nothing.
#include <cmath>

#include "common/vbmath.h"
#include "saver/form1.h"

void Form1::Form_KeyDown(std::int16_t, std::int16_t) {
    if (Module1::UserRun()) Module1::EndSaver();
}

void Form1::Form_MouseDown(std::int16_t, std::int16_t, float, float) {
    if (Module1::UserRun()) Module1::EndSaver();
}

void Form1::Form_MouseMove(std::int16_t, std::int16_t, float x, float y) {
    if (!Module1::UserRun()) return;
    bool moved = std::fabs(x - static_cast<float>(iLastX_)) > 3.0f ||
                 std::fabs(y - static_cast<float>(iLastY_)) > 3.0f;
    if (moved && iLastX_ > 0 && iLastY_ > 0) Module1::CountMouseMove();
    iLastX_ = static_cast<std::int32_t>(RoundHalfEven(x));
    iLastY_ = static_cast<std::int32_t>(RoundHalfEven(y));
}
