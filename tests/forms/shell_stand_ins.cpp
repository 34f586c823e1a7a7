// Stand-ins for the settings-file services while their real versions are not
// yet in the tree (CMake adds this file only then): a minimal reader and
// writer of one key in one section, enough for the dialog's tests.
#include <fstream>
#include <sstream>

#include "platform/host.h"
#include "platform/profile.h"
#include "shell/module1.h"

namespace Module1 {
#ifdef STAND_IN_STATE
std::string BackgroundMode;
#endif

#ifdef STAND_IN_SETTINGS
std::string IniFilePath() {
    return plat::host().AppPath() + plat::host().PathSeparator() + "corvane.ini";
}

void ReadIniString(const std::string& section, const std::string& key, std::string& value,
                   const std::string& filePath) {
    std::ifstream in(filePath);
    std::string line, current;
    value.clear();
    while (std::getline(in, line)) {
        if (line.starts_with("["))
            current = line.substr(1, line.find(']') - 1);
        else if (current == section && line.starts_with(key + "="))
            value = line.substr(key.size() + 1);
    }
}
#endif
}  // namespace Module1

#ifdef STAND_IN_PROFILE
namespace plat {
bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    std::ifstream in(file);
    std::stringstream out;
    std::string line, current;
    bool done = false;
    while (std::getline(in, line)) {
        if (line.starts_with("[")) {
            if (current == section && !done) out << key << "=" << value << "\n", done = true;
            current = line.substr(1, line.find(']') - 1);
        } else if (current == section && line.starts_with(key + "=")) {
            if (!done) out << key << "=" << value << "\n";
            done = true;
            continue;
        }
        out << line << "\n";
    }
    if (!done && current == section) out << key << "=" << value << "\n", done = true;
    if (!done) out << "[" << section << "]\n" << key << "=" << value << "\n";
    std::ofstream(file) << out.str();
    return true;
}
}  // namespace plat
#endif
