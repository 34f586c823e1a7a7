#include "platform/forms.h"

#include <algorithm>
#include <cmath>

#include "common/vbmath.h"

namespace plat {

std::string ShownCaption(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            shown += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::MultiLineTextBox:
        case ControlKind::CommandButton:
        case ControlKind::GraphicalButton:
        case ControlKind::OptionButton:
            return true;
        default:
            return false;
    }
}

int NextTabStop(const std::vector<TabStop>& stops, int current, bool backwards) {
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(stops.size()); ++i) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return stops[a].tabIndex < stops[b].tabIndex; });
    const int n = static_cast<int>(order.size());
    int at = -1;
    for (int k = 0; k < n; ++k)
        if (order[k] == current) at = k;
    for (int step = 1; step <= n; ++step) {
        int k;
        if (at < 0)
            k = backwards ? n - step : step - 1;
        else
            k = ((backwards ? at - step : at + step) % n + n) % n;
        if (stops[order[k]].canFocus) return order[k];
    }
    return -1;
}

std::string ToLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

std::string ToCrLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

double CenteredPosition(double screenSize, double windowSize) {
    return std::trunc(RoundHalfEven(screenSize - windowSize) / 2);
}

int PixelsX(double twips) {
    return TwipsToPixels(twips, host().TwipsPerPixelX());
}
int PixelsY(double twips) {
    return TwipsToPixels(twips, host().TwipsPerPixelY());
}
double TwipsX(int pixels) {
    return pixels * RoundHalfEven(host().TwipsPerPixelX());
}
double TwipsY(int pixels) {
    return pixels * RoundHalfEven(host().TwipsPerPixelY());
}

}  // namespace plat
