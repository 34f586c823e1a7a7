#include "platform/system/posix/ini_text.h"

#include <cctype>

#include "platform/system/posix/text.h"

namespace inifile {
namespace {

using posixsys::EqualNoCase;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsSpace(s[b])) ++b;
    while (e > b && IsSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string> SectionName(const std::string& line) {
    std::string t = Trim(line);
    if (t.empty() || t[0] != '[') return std::nullopt;
    std::size_t close = t.find(']');
    return Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<std::string> KeyName(const std::string& line) {
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return Trim(line.substr(0, eq));
}

std::string StripQuotes(const std::string& v) {
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

IniText::IniText(const std::string& content) {
    std::size_t start = 0;
    // A UTF-8 byte-order mark is not part of the first line.
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        start = 3;
        bom_ = true;
    }
    bool sawCrLf = false, sawLf = false;
    while (start < content.size()) {
        std::size_t nl = content.find('\n', start);
        if (nl == std::string::npos) {
            lines_.push_back(content.substr(start));
            finalEol_ = false;
            break;
        }
        std::size_t end = nl;
        if (end > start && content[end - 1] == '\r') {
            --end;
            sawCrLf = true;
        } else {
            sawLf = true;
        }
        lines_.push_back(content.substr(start, end - start));
        start = nl + 1;
    }
    crlf_ = sawCrLf || !sawLf;
}

long IniText::FindSection(const std::string& section) const {
    std::string want = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i]);
        if (name && EqualNoCase(*name, want)) return static_cast<long>(i);
    }
    return -1;
}

std::size_t IniText::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i])) ++i;
    return i;
}

long IniText::FindKey(std::size_t header, const std::string& key) const {
    std::string want = Trim(key);
    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        auto name = KeyName(lines_[i]);
        if (name && EqualNoCase(*name, want)) return static_cast<long>(i);
    }
    return -1;
}

std::optional<std::string> IniText::Get(const std::string& section, const std::string& key) const {
    long header = FindSection(section);
    if (header < 0) return std::nullopt;
    long at = FindKey(static_cast<std::size_t>(header), key);
    if (at < 0) return std::nullopt;
    const std::string& line = lines_[static_cast<std::size_t>(at)];
    return StripQuotes(Trim(line.substr(line.find('=') + 1)));
}

void IniText::Set(const std::string& section, const std::string& key, const std::string& value) {
    std::string entry = Trim(key);
    entry.append("=").append(value);
    long header = FindSection(section);
    if (header < 0) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.push_back("");
        std::string header = "[";
        header.append(Trim(section)).append("]");
        lines_.push_back(header);
        lines_.push_back(entry);
        finalEol_ = true;
        return;
    }
    auto h = static_cast<std::size_t>(header);
    long at = FindKey(h, key);
    if (at >= 0) {
        // Rewritten as the profile calls write it: the stored key, "=", the value.
        std::string& line = lines_[static_cast<std::size_t>(at)];
        std::string stored = *KeyName(line);
        line = stored.append("=").append(value);
        return;
    }
    // After the section's last non-blank line, so blank separators stay.
    std::size_t insert = SectionEnd(h);
    while (insert > h + 1 && Trim(lines_[insert - 1]).empty()) --insert;
    lines_.insert(lines_.begin() + static_cast<long>(insert), entry);
    if (insert == lines_.size() - 1) finalEol_ = true;
}

std::string IniText::Text() const {
    std::string out = bom_ ? "\xEF\xBB\xBF" : "";
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || finalEol_) out.append(crlf_ ? "\r\n" : "\n");
    }
    return out;
}

}  // namespace inifile
