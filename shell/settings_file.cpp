// The settings file, the program's paths and the recommend counter.
#include "common/errors.h"
#include "common/vbmath.h"
#include "platform/host.h"
#include "platform/profile.h"
#include "shell/module1.h"

namespace Module1 {
namespace {

std::string InProgramFolder(const std::string& name) {
    std::string folder = plat::host().AppPath();
    char sep = plat::host().PathSeparator();
    if (folder.empty() || folder.back() != sep) folder += sep;
    return folder + name;
}

// A number as the system converts text to a 16-bit integer; raises on text
// that is not a number and on values out of range.
std::int16_t TextToInt16(const std::string& text) {
    auto v = ParseNumber(text);
    if (!v) throw TypeMismatchError();
    return CInt16(*v);
}

}  // namespace

std::string IniFilePath() {
    return InProgramFolder("corvane.ini");
}

std::string ImageFolderPath() {
    char sep = plat::host().PathSeparator();
    return InProgramFolder(std::string("vantrelsoftware") + sep + "corvane" + sep);
}

std::string TellwellPath() {
    return InProgramFolder("Tellwell" + plat::host().ExeSuffix());
}

void ReadIniString(const std::string& section, const std::string& key, std::string& value,
                   const std::string& filePath) {
    char buffer[256] = {};
    std::uint32_t n = plat::GetPrivateProfileStringA(section, key, "", buffer, 255, filePath);
    value.assign(buffer, std::min<std::uint32_t>(n, 255));
}

bool CheckRecommendCounter() {
    std::string current, alert, display;
    ReadIniString("applic", "appcurrent", current, IniFilePath());
    ReadIniString("applic", "appalert", alert, IniFilePath());
    ReadIniString("applic", "appdisplay", display, IniFilePath());
    if (display != "1") return false;
    try {
        if (TextToInt16(current) >= TextToInt16(alert)) return true;
        std::string next = NumberText(*ParseNumber(current) + 1);
        plat::WritePrivateProfileStringA("applic", "appcurrent", next, IniFilePath());
        return false;
    } catch (const RuntimeError&) {
        // A value that is not a number makes the form due.
        return true;
    }
}

}  // namespace Module1
