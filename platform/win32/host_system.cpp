// The Windows host: time, chance, the system's version, the registry, the
// program's file and command line, the instance test, folders, the end.
#include <cstring>
#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/forms_runtime.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/windows_api.h"

namespace win32 {

Win32Host::Win32Host() : forms_(std::make_unique<FormsRuntime>()) {}

Win32Host::~Win32Host() {
    if (instanceMutex_ != nullptr) ::CloseHandle(instanceMutex_);
}

std::uint32_t Win32Host::GetTickCount() {
    return ::GetTickCount();
}

double Win32Host::Timer() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

// The 24-bit linear congruential generator of the forms runtime's Rnd.
double Win32Host::Rnd() {
    rndSeed_ = (rndSeed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return rndSeed_ / 16777216.0;
}

// Reseeds the middle two bytes of the seed from the clock's float bits.
void Win32Host::Randomize() {
    const float t = static_cast<float>(Timer());
    std::uint32_t bits = 0;
    std::memcpy(&bits, &t, sizeof bits);
    const std::uint32_t mixed = ((bits >> 16) ^ bits) & 0xFFFFu;
    rndSeed_ = (rndSeed_ & 0xFF0000FFu) | (mixed << 8);
}

int Win32Host::GetVersionExA(plat::OSVERSIONINFOA* info) {
    static_assert(sizeof(::OSVERSIONINFOA) == sizeof(plat::OSVERSIONINFOA));
    ::OSVERSIONINFOA real{};
    std::memcpy(&real, info, sizeof real);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = ::GetVersionExA(&real);
#pragma GCC diagnostic pop
    std::memcpy(info, &real, sizeof real);
    return ok;
}

long Win32Host::RegOpenKeyExA(plat::HKEY hive, const std::string& subKey, std::uint32_t options,
                              std::uint32_t access, plat::HKEY* result) {
    ::HKEY opened = nullptr;
    const LONG rc =
        ::RegOpenKeyExA(ToHandle<::HKEY>(hive), ToAnsi(subKey).c_str(), options, access, &opened);
    if (result != nullptr) *result = rc == ERROR_SUCCESS ? FromHandle(opened) : 0;
    return rc;
}

// Text values come back in UTF-8 with their terminating zero counted, as the
// ANSI call counts it; other types pass through unchanged.
long Win32Host::RegQueryValueExA(plat::HKEY key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* len) {
    const auto hkey = ToHandle<::HKEY>(key);
    const std::string ansiName = ToAnsi(name);
    DWORD realType = 0;
    DWORD realLen = 0;
    LONG rc = ::RegQueryValueExA(hkey, ansiName.c_str(), nullptr, &realType, nullptr, &realLen);
    if (rc != ERROR_SUCCESS) return rc;
    std::vector<std::uint8_t> raw(realLen + 1, 0);
    rc = ::RegQueryValueExA(hkey, ansiName.c_str(), nullptr, &realType, raw.data(), &realLen);
    if (rc != ERROR_SUCCESS) return rc;
    raw.resize(realLen);
    if (realType == REG_SZ || realType == REG_EXPAND_SZ) {
        std::string text(raw.begin(), raw.end());
        if (const auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
        text = FromAnsi(text);
        raw.assign(text.begin(), text.end());
        raw.push_back(0);
    }
    if (type != nullptr) *type = realType;
    if (len == nullptr) return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    const auto needed = static_cast<std::uint32_t>(raw.size());
    const std::uint32_t room = *len;
    *len = needed;
    if (data == nullptr) return ERROR_SUCCESS;
    if (needed > room) return ERROR_MORE_DATA;
    std::memcpy(data, raw.data(), needed);
    return ERROR_SUCCESS;
}

long Win32Host::RegCloseKey(plat::HKEY key) {
    return ::RegCloseKey(ToHandle<::HKEY>(key));
}

namespace {

std::string ModuleFileName() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

}  // namespace

// The program's folder; it ends with a backslash only at a drive's root.
std::string Win32Host::AppPath() {
    std::string path = ModuleFileName();
    const auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    path.resize(slash);
    if (path.size() == 2 && path[1] == ':') path += '\\';
    return FromAnsi(path);
}

// The command line after the program's name and the blanks that follow it.
std::string Win32Host::Command() {
    const char* p = ::GetCommandLineA();
    if (p == nullptr) return {};
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return FromAnsi(p);
}

// A named mutex per program file name: the first copy creates it and holds
// it until the process ends.
bool Win32Host::PrevInstance() {
    if (prevInstanceKnown_) return prevInstance_;
    std::string name = ModuleFileName();
    name = name.substr(name.find_last_of('\\') + 1);
    ::CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
    const std::string mutexName = "VantrelSoftware.Instance." + name;
    ::HANDLE m = ::CreateMutexA(nullptr, FALSE, mutexName.c_str());
    prevInstance_ = m != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (prevInstance_) {
        ::CloseHandle(m);
    } else {
        instanceMutex_ = m;
    }
    prevInstanceKnown_ = true;
    return prevInstance_;
}

// The first normal file (not a folder, hidden or system file) that matches.
std::string Win32Host::Dir(const std::string& path) {
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

// The password change of the older family lives in mpr.dll; it is looked
// up at run time so the program starts where it is missing.
long Win32Host::PwdChangePasswordA(const std::string& provider, plat::HWND parent,
                                   std::uint32_t reserved1, std::uint32_t reserved2) {
    using Fn = DWORD(WINAPI*)(LPCSTR, ::HWND, DWORD, DWORD);
    HMODULE mpr = ::LoadLibraryA("mpr.dll");
    if (mpr == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
    auto fn =
        reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(mpr, "PwdChangePasswordA")));
    const long rc = fn != nullptr
                        ? static_cast<long>(fn(ToAnsi(provider).c_str(), ToHandle<::HWND>(parent),
                                               reserved1, reserved2))
                        : ERROR_CALL_NOT_IMPLEMENTED;
    ::FreeLibrary(mpr);
    return rc;
}

void Win32Host::End() {
    ::ExitProcess(0);
}

}  // namespace win32
