#include "common/open_with_shell.h"

#include "platform/host.h"

std::int32_t OpenWithShell(const std::string& sFile) {
    std::intptr_t result = plat::host().ShellExecuteA(0, "", sFile, "", "", plat::SW_SHOWNORMAL);
    return static_cast<std::int32_t>(result);
}
