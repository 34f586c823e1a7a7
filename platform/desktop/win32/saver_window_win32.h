// The saver's full-screen window on Windows: a borderless popup over the
// virtual screen (every monitor) with its own device context, whose message
// procedure feeds the saver's input handlers.
#pragma once
#include "platform/saver_window.h"

struct HWND__;

namespace win32 {

class SaverWindowWin32 : public plat::SaverWindow {
  public:
    SaverWindowWin32(plat::SaverEvents& events, double twipsX, double twipsY);
    ~SaverWindowWin32() override;

    plat::HWND hWnd() override;
    plat::HDC hDC() override;
    double ScaleWidth() override;
    double ScaleHeight() override;
    void Show() override;
    void Refresh() override;
    void Close() override;

    // Whether a saver window is open in this process.
    static bool AnyOpen();

    // Handles one message; false when the default processing should run.
    bool Handle(unsigned message, unsigned long long wParam, long long lParam);

  private:
    void CoverScreen();
    plat::SaverEvents& events_;
    double twipsX_;
    double twipsY_;
    HWND__* hwnd_ = nullptr;
};

}  // namespace win32
