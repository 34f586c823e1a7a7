// Stored file names, whole-file reads and crash-safe replacement of a
// file's content on Windows.
#include "platform/files.h"

#include <algorithm>
#include <vector>

#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/windows_api.h"

namespace plat {

using win32::FromAnsi;
using win32::ToAnsi;

// The first normal file (not a folder, hidden or system file) that matches
// (the file system matches without regard to case).
std::string StoredName(const std::string& path) {
    WIN32_FIND_DATAA found{};
    ::HANDLE h = ::FindFirstFileA(ToAnsi(path).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string result;
    constexpr DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & skip) == 0) {
            result = FromAnsi(found.cFileName);
            break;
        }
    } while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return result;
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(ToAnsi(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    ::HANDLE f = ::CreateFileA(ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::optional<std::string> out;
    if (::GetFileSizeEx(f, &size) && static_cast<unsigned long long>(size.QuadPart) <= maxBytes) {
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (bytes.empty() ||
            (::ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
             got == bytes.size()))
            out = std::move(bytes);
    }
    ::CloseHandle(f);
    return out;
}

namespace {

bool WriteAll(::HANDLE f, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(f, content.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

}  // namespace

bool ReplaceFileContent(const std::string& path, const std::string& content) {
    const std::string target = ToAnsi(path);
    const auto slash = target.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
    char temp[MAX_PATH + 1] = {};
    // A name of its own in the same folder, so the rename never crosses a
    // volume and two writers never share one.
    if (::GetTempFileNameA(folder.c_str(), "cv", 0, temp) == 0) return false;
    ::HANDLE f = ::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = f != INVALID_HANDLE_VALUE;
    if (ok) {
        ok = WriteAll(f, content) && ::FlushFileBuffers(f);
        ok = ::CloseHandle(f) && ok;
    }
    ok = ok &&
         ::MoveFileExA(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) ::DeleteFileA(temp);
    return ok;
}

}  // namespace plat
