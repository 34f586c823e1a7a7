// The system services on Linux, from the kernel and the C library.
//
// LIMITATIONS: no registry (every key is missing); the password change does
// nothing (the desktop's session locker owns the password); the system is
// reported as the NT family, so the saver never asks for a password itself.
#include "platform/system/system_host.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

#include "platform/files.h"
#include "platform/system/posix/system.h"

namespace plat {
namespace {

// The first executable file called name on PATH, or "".
std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string all = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t colon = all.find(':', start);
        std::string dir = all.substr(start, colon == std::string::npos ? colon : colon - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return "";
}

}  // namespace

struct SystemHost::State {
    std::string command;
    int prevInstance = -1;  // not asked yet
    std::mt19937 random{static_cast<std::uint32_t>(std::time(nullptr))};
};

SystemHost::SystemHost(int argc, char** argv) : state_(std::make_unique<State>()) {
    for (int i = 1; i < argc; ++i) {
        if (i > 1) state_->command += ' ';
        state_->command += argv[i];
    }
}

SystemHost::~SystemHost() = default;

std::uint32_t SystemHost::GetTickCount() {
    return posixsys::TickCount();
}
double SystemHost::Timer() {
    return posixsys::SecondsSinceMidnight();
}
double SystemHost::Rnd() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(state_->random);
}

void SystemHost::Randomize() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    // Mixed with the state, so two reseeds in the same instant still differ.
    state_->random.seed(static_cast<std::uint32_t>(ts.tv_nsec ^ (ts.tv_sec << 10)) ^
                        state_->random());
}

int SystemHost::GetVersionExA(OSVERSIONINFOA* info) {
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return 0;
    // The desktop's own screen locker guards the session: report the NT
    // family, so the saver never asks for a password itself.
    info->dwMajorVersion = 10;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 0;
    info->dwPlatformId = 2;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return 1;
}

// Linux has no registry: every key is missing.
long SystemHost::RegOpenKeyExA(HKEY, const std::string&, std::uint32_t, std::uint32_t, HKEY*) {
    return ERROR_FILE_NOT_FOUND;
}
long SystemHost::RegQueryValueExA(HKEY, const std::string&, std::uint32_t*, std::uint8_t*,
                                  std::uint32_t*) {
    return ERROR_FILE_NOT_FOUND;
}
long SystemHost::RegCloseKey(HKEY) {
    return ERROR_FILE_NOT_FOUND;
}

std::string SystemHost::AppPath() {
    return ProgramFolder();
}
std::string SystemHost::Command() {
    return state_->command;
}
char SystemHost::PathSeparator() {
    return '/';
}
std::string SystemHost::ExeSuffix() {
    return "";
}
// The claim is named after the program's file, as on Windows: the saver and
// Tellwell never stand in each other's way. Asked once, kept for the life of
// the process.
bool SystemHost::PrevInstance() {
    if (state_->prevInstance < 0) {
        std::string name = posixsys::ProgramFileName();
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        state_->prevInstance = posixsys::ClaimInstance(name) ? 0 : 1;
    }
    return state_->prevInstance == 1;
}
std::string SystemHost::Dir(const std::string& path) {
    return StoredName(path);
}

long SystemHost::PwdChangePasswordA(const std::string&, HWND, std::uint32_t, std::uint32_t) {
    return 0;  // the desktop manages the session's password
}

void SystemHost::End() {
    std::fflush(nullptr);
    std::_Exit(0);
}

bool SystemHost::InternetGetConnectedState(std::uint32_t* flags, std::uint32_t) {
    if (flags) *flags = 0;
    return posixsys::HasNetworkInterface();
}

bool SystemHost::StartProgram(const std::string& path) {
    return posixsys::SpawnDetached(path, {});
}

std::intptr_t SystemHost::ShellExecuteA(HWND, const std::string&, const std::string& file,
                                        const std::string&, const std::string&, int) {
    // The address is xdg-open's one argument: no shell sees it.
    if (file.empty()) return 2;  // ERROR_FILE_NOT_FOUND
    std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) {
        // Nothing else tells the user why no browser came up.
        std::fprintf(stderr, "%s: cannot open %s: no xdg-open on the PATH (install xdg-utils)\n",
                     posixsys::ProgramFileName().c_str(), file.c_str());
        return 2;
    }
    return posixsys::SpawnDetached(opener, {file}) ? 42 : 2;
}

}  // namespace plat
