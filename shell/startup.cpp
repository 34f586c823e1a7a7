// The program's start: the system's family, the password flag and the
// dispatch on the command-line switch.
#include "shell/startup.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "common/errors.h"
#include "common/vbmath.h"
#include "platform/host.h"
#include "shell/module1.h"

namespace Module1 {
namespace {

std::string TrimBlanks(const std::string& s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The 16-bit password flag from the registry text. A number too large for
// 16 bits still means "set".
std::int16_t PasswordFlag(const std::string& text) {
    try {
        return CInt16(Val(text));
    } catch (const OverflowError&) {
        return 1;
    }
}

void RunSaverUnlessRunning() {
    if (plat::host().PrevInstance()) plat::host().End();
    StartSaver();
}

void ChangePassword(const std::string& command) {
    // The parent window follows the switch; without one there is nothing to do.
    auto parent = LeadingNumber(command.size() > 2 ? command.substr(2) : "");
    if (!parent) return;
    std::int32_t hwnd;
    try {
        hwnd = CInt32(*parent);
    } catch (const OverflowError&) {
        return;
    }
    plat::host().PwdChangePasswordA("SCRSAVE", static_cast<plat::HWND>(hwnd), 0, 0);
}

}  // namespace

void Main() {
    ReadOSVersion();
    UsePassword = PasswordFlag(ReadRegistryString(plat::HKEY_CURRENT_USER, "Control Panel\\Desktop",
                                                  "ScreenSaveUsePassword"));
    // A daemon's window comes before any switch: the daemon's own options
    // are not switches of ours.
    if (plat::host().HackMode()) {
        RunHack();
        return;
    }
    std::string command = plat::host().Command();
    std::string sw = Upper(TrimBlanks(command)).substr(0, 2);
    if (sw == "/C") {
        ShowSettingsDialog();
    } else if (sw == "/A") {
        ChangePassword(command);
    } else if (sw.empty() || sw == "/S") {
        RunSaverUnlessRunning();
    } else if (sw == "/P") {
        ShowPreview();
    } else {
        RunSaverUnlessRunning();
    }
}

void ReadOSVersion() {
    plat::OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    plat::host().GetVersionExA(&info);
    PlatformId = static_cast<std::int32_t>(info.dwPlatformId);
}

std::string ReadRegistryString(plat::HKEY hive, const std::string& keyPath,
                               const std::string& valueName) {
    auto h = static_cast<std::int32_t>(hive);
    if (h < static_cast<std::int32_t>(0x80000000u) || h > static_cast<std::int32_t>(0x80000006u))
        return "";
    auto& host = plat::host();
    plat::HKEY key = 0;
    if (host.RegOpenKeyExA(hive, keyPath, 0, plat::KEY_READ, &key) != plat::ERROR_SUCCESS)
        return "";
    std::vector<std::uint8_t> buffer(255, ' ');
    std::uint32_t type = 0;
    std::uint32_t length = 255;
    long rc = host.RegQueryValueExA(key, valueName, &type, buffer.data(), &length);
    std::string text;
    if (rc == plat::ERROR_SUCCESS) {
        std::string data(buffer.begin(), buffer.end());
        if (type == plat::REG_DWORD) {
            std::uint32_t v = buffer[0] | (buffer[1] << 8) | (buffer[2] << 16) |
                              (static_cast<std::uint32_t>(buffer[3]) << 24);
            data = std::to_string(v);
            if (data.size() < 3) data.insert(0, 3 - data.size(), '0');
        }
        // The data length counts the terminating zero of string data.
        if (length > 0) text = data.substr(0, std::min<std::size_t>(length - 1, data.size()));
    }
    host.RegCloseKey(key);
    return text;
}

void StartSaver() {
    HideCursorFully();
    ShowSaverWindow();
}

}  // namespace Module1
