// The saver's full-screen window: a device context to draw on and input
// events in twips. Backends: SDL2 (Linux), Win32, headless (tests).
#pragma once
#include <cstdint>

#include "platform/handles.h"

namespace plat {

struct SaverEvents {
    virtual ~SaverEvents() = default;
    virtual void Form_KeyDown(std::int16_t keyCode, std::int16_t shift) = 0;
    virtual void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
};

class SaverWindow {
  public:
    virtual ~SaverWindow() = default;
    virtual HWND hWnd() = 0;
    // The window's device context; drawing onto it reaches the screen.
    virtual HDC hDC() = 0;
    // Size of the client area in twips.
    virtual double ScaleWidth() = 0;
    virtual double ScaleHeight() = 0;
    // Shows the window covering the screen; returns once it is on screen.
    virtual void Show() = 0;
    virtual void Refresh() = 0;
    // Hides and destroys the window.
    virtual void Close() = 0;
};

}  // namespace plat
