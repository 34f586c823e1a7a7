#include "shell/module1.h"

namespace Module1 {

std::int32_t PlatformId = 0;
std::int16_t UsePassword = 0;
std::string BackgroundMode;
plat::HWND TaskbarWnd = 0;
std::int16_t MoveCount = 0;
std::int32_t MoveWindowStart = 0;
bool HackMode = false;
SaverForm* ActiveSaver = nullptr;

}  // namespace Module1
