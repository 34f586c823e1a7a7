// What the headless backend (the tests' fake host) takes from the system
// layer, served by Windows in the cross build.
#include "platform/posix/core/system.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/windows_api.h"

namespace posixsys {

// The stored name of the normal file that path names (the file system
// matches without regard to case), or "".
std::string StoredName(const std::string& path) {
    WIN32_FIND_DATAA found{};
    ::HANDLE h = ::FindFirstFileA(win32::ToAnsi(path).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return {};
    ::FindClose(h);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    return win32::FromAnsi(found.cFileName);
}

}  // namespace posixsys
