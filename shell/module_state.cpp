#include "shell/module1.h"

namespace Module1 {

std::int32_t PlatformId = 0;
std::int16_t UsePassword = 0;
std::string BackgroundMode;
std::string BackgroundForRun;
plat::HWND TaskbarWnd = 0;
std::int16_t MoveCount = 0;
std::int32_t MoveWindowStart = 0;
RunKind Run = RunKind::User;
SaverForm* ActiveSaver = nullptr;

void ResetState() {
    PlatformId = 0;
    UsePassword = 0;
    BackgroundMode.clear();
    BackgroundForRun.clear();
    TaskbarWnd = 0;
    MoveCount = 0;
    MoveWindowStart = 0;
    Run = RunKind::User;
    ActiveSaver = nullptr;
}

}  // namespace Module1
