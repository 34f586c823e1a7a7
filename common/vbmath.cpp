#include "common/vbmath.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/checked.h"
#include "common/errors.h"

double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

std::int16_t CInt16(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0)) throw OverflowError();
    return static_cast<std::int16_t>(r);
}

std::int32_t CInt32(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw OverflowError();
    return static_cast<std::int32_t>(r);
}

namespace {

// Length of the number at the start of s (after no blanks), 0 if none.
std::size_t NumberPrefix(const std::string& s, std::size_t i) {
    std::size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t k = j;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        if (k > j) i = k;
    }
    return i - start;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<double> LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::size_t n = NumberPrefix(text, i);
    if (n == 0) return std::nullopt;
    double v = std::strtod(text.substr(i, n).c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double Val(const std::string& text) {
    return LeadingNumber(text).value_or(0.0);
}

std::optional<double> ParseNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::size_t n = NumberPrefix(text, i);
    if (n == 0) return std::nullopt;
    std::size_t end = i + n;
    while (end < text.size() && IsBlank(text[end])) ++end;
    if (end != text.size()) return std::nullopt;
    double v = std::strtod(text.substr(i, n).c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::string NumberText(double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc()) return "0";
    std::string s(buf, end);
    if (s == "-0") s = "0";
    return s;
}

std::int32_t TwipsToPixels(double twips, double twipsPerPixel) {
    return CheckedDiv(CInt32(twips), CInt32(twipsPerPixel));
}
