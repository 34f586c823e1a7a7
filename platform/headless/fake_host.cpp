#include "platform/headless/fake_host.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "platform/files.h"
#include "platform/headless/headless_forms.h"

namespace plat {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

FakeHost::FakeHost() : forms(CreateHeadlessForms()), random_(12345) {}
FakeHost::~FakeHost() = default;

void FakeHost::SetRegistryString(HKEY hive, const std::string& path, const std::string& name,
                                 const std::string& value) {
    registry_[{hive, Lower(path), Lower(name)}] = {REG_SZ, value + '\0'};
}

void FakeHost::SetRegistryDword(HKEY hive, const std::string& path, const std::string& name,
                                std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    registry_[{hive, Lower(path), Lower(name)}] = {REG_DWORD, bytes};
}

void FakeHost::Advance(std::uint32_t ms) {
    tick += ms;
    timeOfDay = std::fmod(timeOfDay + ms / 1000.0, 86400.0);
}

void FakeHost::PushKey(std::uint32_t at) {
    inputs_.push_back({Input::Key, 0, 0, at});
}
void FakeHost::PushClick(std::uint32_t at) {
    inputs_.push_back({Input::Click, 0, 0, at});
}
void FakeHost::PushMouseMove(float x, float y, std::uint32_t at) {
    inputs_.push_back({Input::Move, x, y, at});
}

bool FakeHost::HasCall(const std::string& prefix) const {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

std::uint32_t FakeHost::GetTickCount() {
    return tick;
}
double FakeHost::Timer() {
    return timeOfDay;
}

double FakeHost::Rnd() {
    if (!rndValues.empty()) {
        double v = rndValues.front();
        rndValues.pop_front();
        return v;
    }
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

// Mixes the clock into the state, so reseeding twice at the same tick does
// not repeat the sequence.
void FakeHost::Randomize() {
    random_.seed(tick ^ random_());
}

int FakeHost::GetVersionExA(OSVERSIONINFOA* info) {
    if (versionFails || !info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return 0;
    info->dwMajorVersion = platformId == 2 ? 10 : 4;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 1;
    info->dwPlatformId = platformId;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return 1;
}

long FakeHost::RegOpenKeyExA(HKEY hive, const std::string& subKey, std::uint32_t, std::uint32_t,
                             HKEY* result) {
    std::string path = Lower(subKey);
    bool exists = std::any_of(registry_.begin(), registry_.end(), [&](const auto& kv) {
        return std::get<0>(kv.first) == hive && std::get<1>(kv.first) == path;
    });
    if (!exists) return ERROR_FILE_NOT_FOUND;
    HKEY k = nextKey_++;
    openKeys_[k] = std::to_string(hive) + "|" + path;
    *result = k;
    return ERROR_SUCCESS;
}

long FakeHost::RegQueryValueExA(HKEY key, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* len) {
    auto open = openKeys_.find(key);
    if (open == openKeys_.end()) return ERROR_FILE_NOT_FOUND;
    std::size_t bar = open->second.find('|');
    HKEY hive = static_cast<HKEY>(std::stoul(open->second.substr(0, bar)));
    auto it = registry_.find({hive, open->second.substr(bar + 1), Lower(name)});
    if (it == registry_.end()) return ERROR_FILE_NOT_FOUND;
    const std::string& bytes = it->second.second;
    if (type) *type = it->second.first;
    std::uint32_t room = len ? *len : 0;
    if (len) *len = static_cast<std::uint32_t>(bytes.size());
    if (data && bytes.size() > room) return ERROR_MORE_DATA;
    if (data) std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

long FakeHost::RegCloseKey(HKEY key) {
    return openKeys_.erase(key) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

std::string FakeHost::AppPath() {
    return appPath;
}
std::string FakeHost::Command() {
    return command;
}
char FakeHost::PathSeparator() {
    return '/';
}
std::string FakeHost::ExeSuffix() {
    return "";
}

bool FakeHost::PrevInstance() {
    calls.push_back("PrevInstance");
    return otherInstance;
}

std::string FakeHost::Dir(const std::string& path) {
    return StoredName(path);
}

long FakeHost::PwdChangePasswordA(const std::string& provider, HWND parent, std::uint32_t r1,
                                  std::uint32_t r2) {
    calls.push_back("PwdChangePasswordA " + provider + " " + std::to_string(parent) + " " +
                    std::to_string(r1) + " " + std::to_string(r2));
    return 0;
}

void FakeHost::End() {
    calls.push_back("End");
    throw ProgramEnded{};
}

int FakeHost::ShowCursor(bool show) {
    return show ? ++cursorCounter : --cursorCounter;
}

HWND FakeHost::FindWindowA(const std::string& className, const std::string& title) {
    calls.push_back("FindWindowA " + className + " [" + title + "]");
    return className == "Shell_traywnd" ? taskbar : 0;
}

bool FakeHost::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                            std::uint32_t flags) {
    calls.push_back("SetWindowPos " + std::to_string(hwnd) + " " +
                    std::to_string(static_cast<std::int32_t>(insertAfter)) + " " +
                    std::to_string(x + y + cx + cy) + " " + std::to_string(flags));
    return true;
}

bool FakeHost::SystemParametersInfoA(std::uint32_t action, std::uint32_t param, void*,
                                     std::uint32_t winIni) {
    calls.push_back("SystemParametersInfoA " + std::to_string(action) + " " +
                    std::to_string(param) + " " + std::to_string(winIni));
    return true;
}

bool FakeHost::VerifyScreenSavePwd(HWND hwnd) {
    calls.push_back("VerifyScreenSavePwd " + std::to_string(hwnd));
    return passwordAccepted;
}

bool FakeHost::InternetGetConnectedState(std::uint32_t* flags, std::uint32_t) {
    if (flags) *flags = 0;
    calls.push_back("InternetGetConnectedState");
    return online;
}

bool FakeHost::StartProgram(const std::string& path) {
    calls.push_back("StartProgram " + path);
    if (startSucceeds) started.push_back(path);
    return startSucceeds;
}

std::intptr_t FakeHost::ShellExecuteA(HWND, const std::string&, const std::string& file,
                                      const std::string&, const std::string&, int show) {
    calls.push_back("ShellExecuteA " + file + " " + std::to_string(show));
    opened.push_back(file);
    return shellResult;
}

void FakeHost::MsgBox(const std::string& text, const std::string& title, MsgIcon icon) {
    calls.push_back(std::string("MsgBox ") + (icon == MsgIcon::Warning ? "warning" : "plain"));
    messages.push_back(title + "|" + text);
}

double FakeHost::ScreenWidth() {
    return screenWidthTwips.value_or(screenWidthPx * TwipsPerPixelX());
}
double FakeHost::ScreenHeight() {
    return screenHeightTwips.value_or(screenHeightPx * TwipsPerPixelY());
}
double FakeHost::TwipsPerPixelX() {
    return twipsX.value_or(twipsPerPixel);
}
double FakeHost::TwipsPerPixelY() {
    return twipsY.value_or(twipsPerPixel);
}

std::unique_ptr<SaverWindow> FakeHost::CreateSaverWindow(SaverEvents& e) {
    events = &e;
    return windowFactory ? windowFactory(e) : nullptr;
}

FormsRuntime& FakeHost::Forms() {
    return *forms;
}

bool FakeHost::Due(const Input& in) const {
    return static_cast<std::int32_t>(tick - in.at) >= 0;
}

void FakeHost::DoEvents() {
    ++pumps;
    if (onPump) onPump();
    if (stopAt && static_cast<std::int32_t>(tick - *stopAt) >= 0) throw StopRun{};
    // Deliver what is due; handlers may end the program (an exception).
    while (events && !inputs_.empty() && Due(inputs_.front())) {
        Input in = inputs_.front();
        inputs_.pop_front();
        if (in.kind == Input::Key)
            events->Form_KeyDown(32, 0);
        else if (in.kind == Input::Click)
            events->Form_MouseDown(1, 0, in.x, in.y);
        else
            events->Form_MouseMove(0, 0, in.x, in.y);
    }
}

void FakeHost::WaitForInput(std::uint32_t timeoutMs) {
    std::uint32_t step = timeoutMs;
    if (events && !inputs_.empty()) {
        std::uint32_t until = inputs_.front().at - tick;
        if (Due(inputs_.front())) until = 0;
        step = std::min(step, until);
    }
    waitedMs += step;
    Advance(step);
    if (stopAt && static_cast<std::int32_t>(tick - *stopAt) >= 0) throw StopRun{};
}

}  // namespace plat
