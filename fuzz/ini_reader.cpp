// Fuzzes the settings-file reader and writer on arbitrary file content: no
// input may crash it, and a value written must read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/system/posix/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string content(reinterpret_cast<const char*>(data), size);
    inifile::IniText text(content);
    (void)text.Get("mode", "scMode");
    (void)text.Get("applic", "appcurrent");
    text.Set("applic", "appcurrent", "42");
    text.Set("new section", "key", "value");
    inifile::IniText again(text.Text());
    if (again.Get("applic", "appcurrent") != std::string("42")) std::abort();
    if (again.Get("new section", "key") != std::string("value")) std::abort();
    return 0;
}
