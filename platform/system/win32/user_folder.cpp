#include "platform/system/win32/user_folder.h"

#include <vector>

#include "platform/files.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/windows_api.h"
// clang-format off
#include <shlobj.h>  // needs windows.h first
// clang-format on

namespace win32 {
namespace {

constexpr const char* kPictureFolder = "\\vantrelsoftware\\corvane";

DWORD Attributes(const std::string& path) {
    return ::GetFileAttributesA(ToAnsi(path).c_str());
}

bool IsFolder(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsLink(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsAbsolute(const std::string& path) {
    return (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
           path.rfind("\\\\", 0) == 0;
}

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string Leaf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingSlash(std::string path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

bool SameText(const std::string& a, const std::string& b) {
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                            b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The folder and every missing one above it.
bool MakeFolders(const std::string& path) {
    if (IsFolder(path)) return true;
    const std::string parent = Parent(path);
    if (!parent.empty() && parent != path && !IsFolder(parent)) MakeFolders(parent);
    ::CreateDirectoryA(ToAnsi(path).c_str(), nullptr);
    return IsFolder(path);
}

// Copies from to a temporary file beside to and renames it to to only when
// nothing has that name yet: the copy appears whole or not at all, and what
// is there stays. The copy can be written (an installed file may carry the
// read-only attribute).
void CopyOnce(const std::string& from, const std::string& to) {
    if (plat::FileExists(to)) return;
    const std::string target = ToAnsi(to);
    char temp[MAX_PATH + 1] = {};
    if (::GetTempFileNameA(ToAnsi(Parent(to)).c_str(), "cv", 0, temp) == 0) return;
    bool ok = ::CopyFileA(ToAnsi(from).c_str(), temp, FALSE) != 0;
    if (ok) {
        const DWORD a = ::GetFileAttributesA(temp);
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) != 0)
            ::SetFileAttributesA(temp, a & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
        ok = ::MoveFileExA(temp, target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!ok) ::DeleteFileA(temp);
}

void CopyPictures(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA found{};
    ::HANDLE h = ::FindFirstFileA(ToAnsi(from + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    constexpr DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        const std::string name = FromAnsi(found.cFileName);
        if ((found.dwFileAttributes & skip) == 0 && name[0] != '.' &&
            !SameText(name, "background.bmp"))
            CopyOnce(from + "\\" + name, to + "\\" + name);
    } while (::FindNextFileA(h, &found));
    ::FindClose(h);
}

std::string Environment(const char* name) {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetEnvironmentVariableA(name, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return FromAnsi(std::string(buf.data(), n));
        buf.resize(n);
    }
}

}  // namespace

// A file of a name no other process uses, gone when its handle closes.
// (GetTempFileName cannot tell: Wine's reports a name even when it could
// not make the file.)
bool CanWriteIn(const std::string& folder) {
    const std::string base =
        ToAnsi(folder) + "\\corvane-probe-" + std::to_string(::GetCurrentProcessId()) + "-";
    for (int n = 0; n < 16; ++n) {
        ::HANDLE f = ::CreateFileA((base + std::to_string(n) + ".tmp").c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            ::CloseHandle(f);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

std::string UserFolderPath() {
    std::string local = Environment("LOCALAPPDATA");
    if (!IsAbsolute(local)) {
        char buf[MAX_PATH] = {};
        if (::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buf) !=
            S_OK)
            return {};
        local = FromAnsi(buf);
    }
    local = WithoutTrailingSlash(local);
    return local.empty() ? "" : local + "\\Corvane";
}

bool PrepareUserFolder(const std::string& user, const std::string& installed, std::string* why) {
    std::string refused;
    if (user.empty()) {
        refused = "no local application data folder";
    } else {
        for (const std::string& folder : {user, user + kPictureFolder}) {
            if (!MakeFolders(folder)) {
                refused = "cannot make " + folder;
                break;
            }
            if (IsLink(folder)) {
                refused = folder + " is a link";
                break;
            }
        }
    }
    if (!refused.empty()) {
        if (why) *why = refused;
        return false;
    }
    CopyOnce(installed + "\\corvane.ini", user + "\\corvane.ini");
    CopyPictures(installed + kPictureFolder, user + kPictureFolder);
    const DWORD ini = Attributes(user + "\\corvane.ini");
    const bool ok = ini != INVALID_FILE_ATTRIBUTES && (ini & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (!ok && why) *why = "no corvane.ini in " + installed;
    return ok;
}

std::string ResolveProgramFolder(const std::string& programFolder) {
    if (programFolder.empty() || CanWriteIn(programFolder)) return programFolder;
    const std::string user = UserFolderPath();
    return PrepareUserFolder(user, programFolder) ? user : programFolder;
}

std::string InstalledProgram(const std::string& path, const std::string& programFolder,
                             const std::string& installedFolder) {
    const std::string user = WithoutTrailingSlash(programFolder);
    const std::string installedHere = WithoutTrailingSlash(installedFolder);
    if (SameText(user, installedHere) || !SameText(Parent(path), user) || plat::FileExists(path))
        return path;
    const std::string installed = installedHere + "\\" + Leaf(path);
    return plat::FileExists(installed) ? installed : path;
}

}  // namespace win32
