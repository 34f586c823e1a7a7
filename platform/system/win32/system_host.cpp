// The system services on Windows: time, chance, the system's version, the
// registry, the program's file and command line, the instance test, stored
// file names, the password change, starting programs and documents, the
// connection test, the end.
//
// LIMITATIONS: none of the services is missing; the password change needs
// mpr.dll (older systems) and reports ERROR_CALL_NOT_IMPLEMENTED without it.
#include "platform/system/system_host.h"

#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/user_folder.h"
#include "platform/system/win32/windows_api.h"
// clang-format off
#include <shellapi.h>  // needs windows.h first
#include <wininet.h>  // needs windows.h first
// clang-format on

namespace plat {

using win32::FromAnsi;
using win32::FromHandle;
using win32::ToAnsi;
using win32::ToHandle;

struct SystemHost::State {
    std::uint32_t rndSeed = 0x50000;  // the generator's documented start value
    void* instanceMutex = nullptr;
    bool prevInstanceKnown = false;
    bool prevInstance = false;
};

SystemHost::SystemHost(int, char**) : state_(std::make_unique<State>()) {}

SystemHost::~SystemHost() {
    if (state_->instanceMutex != nullptr) ::CloseHandle(state_->instanceMutex);
}

char SystemHost::PathSeparator() {
    return '\\';
}

std::string SystemHost::ExeSuffix() {
    return ".exe";
}

std::uint32_t SystemHost::GetTickCount() {
    return ::GetTickCount();
}

double SystemHost::Timer() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

// The 24-bit linear congruential generator of the forms runtime's Rnd.
double SystemHost::Rnd() {
    state_->rndSeed = (state_->rndSeed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return state_->rndSeed / 16777216.0;
}

// Reseeds the middle two bytes of the seed from the clock's float bits.
void SystemHost::Randomize() {
    const float t = static_cast<float>(Timer());
    std::uint32_t bits = 0;
    std::memcpy(&bits, &t, sizeof bits);
    const std::uint32_t mixed = ((bits >> 16) ^ bits) & 0xFFFFu;
    state_->rndSeed = (state_->rndSeed & 0xFF0000FFu) | (mixed << 8);
}

int SystemHost::GetVersionExA(OSVERSIONINFOA* info) {
    static_assert(sizeof(::OSVERSIONINFOA) == sizeof(OSVERSIONINFOA));
    ::OSVERSIONINFOA real{};
    std::memcpy(&real, info, sizeof real);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = ::GetVersionExA(&real);
#pragma GCC diagnostic pop
    std::memcpy(info, &real, sizeof real);
    return ok;
}

long SystemHost::RegOpenKeyExA(HKEY hive, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, HKEY* result) {
    ::HKEY opened = nullptr;
    const LONG rc =
        ::RegOpenKeyExA(ToHandle<::HKEY>(hive), ToAnsi(subKey).c_str(), options, access, &opened);
    if (result != nullptr) *result = rc == ERROR_SUCCESS ? FromHandle(opened) : 0;
    return rc;
}

// Text values come back in UTF-8 with their terminating zero counted, as the
// ANSI call counts it; other types pass through unchanged.
long SystemHost::RegQueryValueExA(HKEY key, const std::string& name, std::uint32_t* type,
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

long SystemHost::RegCloseKey(HKEY key) {
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

// The folder the program file is in; it ends with a backslash only at a
// drive's root.
std::string InstalledFolder() {
    std::string path = ModuleFileName();
    const auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    path.resize(slash);
    if (path.size() == 2 && path[1] == ':') path += '\\';
    return FromAnsi(path);
}

}  // namespace

std::string SystemHost::AppPath() {
    return ProgramFolder();
}

// The installed folder, or the user's own when the user cannot write it
// (win32/user_folder.h). Told once per process: the first call prepares the
// user's folder.
std::string ProgramFolder() {
    static const std::string folder = win32::ResolveProgramFolder(InstalledFolder());
    return folder;
}

// The command line after the program's name and the blanks that follow it.
std::string SystemHost::Command() {
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
bool SystemHost::PrevInstance() {
    if (state_->prevInstanceKnown) return state_->prevInstance;
    std::string name = ModuleFileName();
    name = name.substr(name.find_last_of('\\') + 1);
    ::CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
    const std::string mutexName = "VantrelSoftware.Instance." + name;
    ::HANDLE m = ::CreateMutexA(nullptr, FALSE, mutexName.c_str());
    state_->prevInstance = m != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (state_->prevInstance) {
        ::CloseHandle(m);
    } else {
        state_->instanceMutex = m;
    }
    state_->prevInstanceKnown = true;
    return state_->prevInstance;
}

std::string SystemHost::Dir(const std::string& path) {
    return StoredName(path);
}

// The password change of the older family lives in mpr.dll; it is looked
// up at run time so the program starts where it is missing.
long SystemHost::PwdChangePasswordA(const std::string& provider, HWND parent,
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

void SystemHost::End() {
    ::ExitProcess(0);
}

bool SystemHost::InternetGetConnectedState(std::uint32_t* flags, std::uint32_t reserved) {
    DWORD f = 0;
    const BOOL on = ::InternetGetConnectedState(&f, reserved);
    if (flags != nullptr) *flags = f;
    return on != FALSE;
}

// Starts the program in its own folder, in a normal window, and lets it
// take the foreground; its handles are closed at once (no waiting). A
// program named in the user's folder is the installed one.
bool SystemHost::StartProgram(const std::string& path) {
    const std::string app =
        ToAnsi(win32::InstalledProgram(path, ProgramFolder(), InstalledFolder()));
    std::string cmd = "\"" + app + "\"";
    std::vector<char> cmdLine(cmd.begin(), cmd.end());
    cmdLine.push_back('\0');
    std::string dir =
        app.substr(0, app.find_last_of('\\') == std::string::npos ? 0 : app.find_last_of('\\') + 1);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(app.c_str(), cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          dir.empty() ? nullptr : dir.c_str(), &si, &pi))
        return false;
    ::AllowSetForegroundWindow(pi.dwProcessId);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

std::intptr_t SystemHost::ShellExecuteA(HWND owner, const std::string& verb,
                                        const std::string& file, const std::string& params,
                                        const std::string& dir, int show) {
    const std::string v = ToAnsi(verb), f = ToAnsi(file), p = ToAnsi(params), d = ToAnsi(dir);
    HINSTANCE rc =
        ::ShellExecuteA(ToHandle<::HWND>(owner), v.empty() ? nullptr : v.c_str(), f.c_str(),
                        p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(), show);
    return reinterpret_cast<std::intptr_t>(rc);
}

}  // namespace plat
