#include "platform/system/win32/ansi_text.h"

#include "platform/system/win32/windows_api.h"

namespace win32 {
namespace {

std::string Convert(std::string_view text, UINT from, UINT to) {
    if (text.empty()) return {};
    const int n = static_cast<int>(text.size());
    const int wlen = MultiByteToWideChar(from, 0, text.data(), n, nullptr, 0);
    if (wlen <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(wlen), L'\0');
    MultiByteToWideChar(from, 0, text.data(), n, wide.data(), wlen);
    const int len = WideCharToMultiByte(to, 0, wide.data(), wlen, nullptr, 0, nullptr, nullptr);
    if (len <= 0) return {};
    std::string out(static_cast<std::size_t>(len), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
    return out;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    return Convert(utf8, CP_UTF8, CP_ACP);
}
std::string FromAnsi(std::string_view ansi) {
    return Convert(ansi, CP_ACP, CP_UTF8);
}

}  // namespace win32
