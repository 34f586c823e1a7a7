#include "tellwell/request_url.h"

#include "common/site.h"

std::string Trim(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string PercentEncode(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string RequestUrl(const std::array<std::string, 5>& friends, const std::string& sender,
                       const std::string& firstName) {
    std::string list;
    for (std::size_t i = 0; i < friends.size(); ++i) {
        if (i > 0) list += ',';
        list += PercentEncode(Trim(friends[i]));
    }
    return std::string("https://") + kMakerHost + "/vuvudadero.php?s=2&te=" + list +
           "&fe=" + PercentEncode(Trim(sender)) + "&n=" + PercentEncode(Trim(firstName));
}
